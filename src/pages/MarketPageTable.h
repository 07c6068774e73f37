#pragma once

#include "pages/PageRecipe.h"

// The recipes of the composed market pages, one per page.
const PageRecipe& NewsIndexRecipe();
const PageRecipe& MarketAnalysisRecipe();
const PageRecipe& StockAnalysisRecipe();
const PageRecipe& IpoRecipe();
const PageRecipe& StockNewsRecipe();
const PageRecipe& MessageBoardsRecipe();
const PageRecipe& PriceForecastRecipe();
const PageRecipe& StockEvaluatorRecipe();
const PageRecipe& CompanyProfileRecipe();
