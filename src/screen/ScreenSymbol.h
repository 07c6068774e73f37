#pragma once

#include "screen/ScreenRow.h"

class CTarnwickDoc;

// Loads `symbol` into `document` as Stocks > Read C:\ would for its quote
// folder, through the same load driver and analysis, and returns its row.
// A read that fails, or finds no bar, gives a row with the error; nothing
// is thrown. The document is a scratch one: its store and modules are
// overwritten.
ScreenRow ScreenSymbol(CTarnwickDoc& document, const LibrarySymbol& symbol);
