#pragma once

#include "quotes/CsvHistoryReader.h"
#include "quotes/QuoteLibrary.h"

#include <filesystem>
#include <string>

class CTarnwickDoc;

// Reloads the document's store: clears it, runs the one source the settings
// select, and, when bars arrived, runs the four analysis modules in their
// fixed order. With no bars the modules keep the results of the previous
// load. The sources by sourceMode:
//   kLocalFiles  the quote folder quoteDir: its own table.csv and quotes.csv,
//                or, in a folder of many symbols, the symbol's sub-folder or
//                its CSV history (see FindQuotes)
//   kWeb         the "Yahoo" source when sourceName is exactly "Yahoo", else
//                the second web source
//   kCsvFile     the CSV history quoteFile
//   kCsvService  the CSV quote service of the hosts file
// csvReport tells what a CSV history held. A source's error (FileError,
// NetworkError, PageError) passes through; the store is then left cleared
// and no module has run.
void LoadQuotes(CTarnwickDoc& document);

// LoadQuotes for a quote folder whose place is already known, as FindQuotes
// gives it, without looking for it again. When the place is gone or changed
// since, the error is that of opening its files.
void LoadQuotesAt(CTarnwickDoc& document, const QuoteLocation& location);

// What to say when a quote folder's history, the table.csv of the document's
// loadedFrom, gave no bar: why, when the bytes read tell, else what the file
// should hold. Starts "No daily bars in".
std::string NoBarsMessage(const CTarnwickDoc& document);

// What to tell the user after a load from a quote folder's own files when
// they are not tied to the document's symbol: such a folder is read whatever
// symbol is typed, so IBM's history may be charted as CAT. Empty when the
// folder's name or its quotes.csv names the symbol, and after other loads.
std::string UntiedQuotesNotice(const CTarnwickDoc& document);

// Runs the four analysis modules over the document's store, in the order
// their inputs need: the last one reads the stochastic and every signal set.
void AnalyzeQuotes(CTarnwickDoc& document);

// Reads a CSV history into the document, as File > Import Quotes does. When
// it holds bars they replace the store's and are analysed, the symbol and
// loadedSymbol become the file's name without its extension in capitals
// (ASCII letters only), sourceMode
// kCsvFile, quoteFile the file and the charts the page shown. A failure
// (FileError naming file and line) leaves the document as it was.
CsvReadReport ImportQuotes(CTarnwickDoc& document, const std::filesystem::path& file);

// Reads the document's symbol from the CSV quote service, as Stocks > Read
// Quote Service does: the same as ImportQuotes but for the symbol as it is
// and sourceMode kCsvService. A failure (NetworkError, FetchCancelled,
// FileError) leaves the document as it was.
CsvReadReport ReadQuoteService(CTarnwickDoc& document);
