#include "chart/ChartPainters.h"
void DrawQuoteTable(Canvas&, const CTarnwickDoc&) {}
