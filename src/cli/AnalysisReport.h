#pragma once

#include <ostream>

class CTarnwickDoc;

// A readable summary of the last load for a trader: the symbol, the bars and
// their date range, the newest bar or the merged latest quote, then each
// indicator's buy and sell signals of the day and the day's totals.
void WriteAnalysisReport(const CTarnwickDoc& document, std::ostream& out);
