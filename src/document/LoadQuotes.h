#pragma once

class CTarnwickDoc;

// Reloads the document's store: clears it, runs the one source the settings
// select (sourceMode 1: the local files; otherwise the "Yahoo" source when
// sourceName is exactly "Yahoo", else the second web source), and, when bars
// arrived, runs the four analysis modules in their fixed order. With no bars
// the modules keep the results of the previous load.
// A source's error (FileError, NetworkError, PageError) passes through; the
// store is then left cleared and no module has run.
void LoadQuotes(CTarnwickDoc& document);

// Runs the four analysis modules over the document's store, in the order
// their inputs need: the last one reads the stochastic and every signal set.
void AnalyzeQuotes(CTarnwickDoc& document);
