#pragma once

#include <string_view>

class CTarnwickDoc;

// The rules the commands follow on a document, apart from the windows that
// carry them out. A window reads its input boxes, calls these, and turns
// what they return into window calls.

// What counting a command asks of the window that runs it.
struct CountResult {
    // Open the product site's home page in the user's own web browser.
    bool openHomePage = false;
};

// The count after which the next counted command also opens the home page.
inline constexpr int kCountedCommandsBeforeHomePage = 10;

// Counts a data or page command: adds 1 to the document's commandCount. The
// command that finds the count at kCountedCommandsBeforeHomePage (the
// eleventh of the document) asks for the home page; the count keeps rising,
// so that happens once per document.
[[nodiscard]] CountResult CountCommand(CTarnwickDoc& document);

// The preparation of a web command, which reads the symbol: `symbolBoxText`
// becomes the document's symbol and `sourceBoxText` (the source box's last
// chosen entry, empty while none was chosen) its sourceName, each as given;
// empty texts give CTarnwickDoc::kDefaultSymbol and kDefaultSourceName. Then
// the command is counted.
[[nodiscard]] CountResult PrepareWebCommand(CTarnwickDoc& document, std::string_view symbolBoxText,
                                            std::string_view sourceBoxText);

// Sets up a load from `sourceMode` (1: the local files, 2: the web): the bars
// to come belong to the current symbol, and the chart view shows the charts.
void PrepareQuoteLoad(CTarnwickDoc& document, int sourceMode);

// Switches between about 5 and about 10 months of web history for the next
// load; twice gives the span back. Nothing is loaded again.
void SwitchMonthSpan(CTarnwickDoc& document);
