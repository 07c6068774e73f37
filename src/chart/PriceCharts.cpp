#include "chart/ChartPainters.h"

void DrawPriceCharts(Canvas&, const CTarnwickDoc&, int, int, const Pens&) {}
void DrawVolumeChart(Canvas&, const CTarnwickDoc&, int, int, const Pens&) {}
