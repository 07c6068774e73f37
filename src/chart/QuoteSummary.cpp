#include "chart/ChartPainters.h"
void DrawQuoteSummary(Canvas&, const CTarnwickDoc&, PenId) {}
