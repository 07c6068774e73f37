#include "chart/IndicatorPanels.h"

// Stubs until the panel tables land.
void IndicatorPanels::DrawMacdPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawRsiPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawStochasticPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawWilliamsPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawMomentumPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawRocPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawVolatilityPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawDmiPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawCciPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawIta2Panel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawIta1Panel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawMfiPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawObvPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
void IndicatorPanels::DrawPvtPanel(Canvas&, const CTarnwickDoc&, int, const Pens&) const {}
