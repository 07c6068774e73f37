#pragma once

// Every command of the program by name. The numbers are the resource numbers
// of the original menus, kept so that old menus, recordings and automation
// scripts keep meaning the same command; nothing else spells them.
enum CommandId : int {
    // File
    kNew = 57600,
    kOpen = 57601,
    kImportQuotes = 32901,
    kSave = 57603,
    kSaveAs = 57604,
    kExport = 32904,
    kPrintSetup = 57606,
    kPrint = 57607,
    kPrintPreview = 57609,
    kSend = 57612,
    kFirstRecentFile = 57616,
    kExit = 57665,
    // Edit
    kCopy = 57634,
    kCut = 57635,
    kPaste = 57637,
    kUndo = 57643,
    kSelectAll = 32850,
    kSettings = 32900,
    // View
    kToggleToolbar = 59392,
    kToggleStatusBar = 59393,
    kZoomIn = 32905,
    kZoomOut = 32906,
    kActualSize = 32907,
    kFitWidth = 32908,
    // Browser
    kBack = 32792,
    kForward = 32793,
    kRefresh = 32794,
    kSearch = 32795,
    kStop = 32796,
    // Favorites: the placeholder entry until the folder is read
    kFavoritesPlaceholder = 32806,
    // Markets: composed pages
    kDowCharts = 32785,
    kMarketUpdate = 32807,
    kNewsIndex = 32808,
    kStocksOnTheMove = 32809,
    kMarketAnalysis = 32811,
    kStockAnalysis = 32813,
    kIpoResearch = 32814,
    // Markets: links
    kMostActives = 32798,
    kUpgradesDowngrades = 32799,
    kEarningsCalendar = 32800,
    kEarningsSurprises = 32801,
    kStockSplits = 32802,
    kLockUpPeriod = 32803,
    kEconomicCalendar = 32804,
    kEarningsWarnings = 32823,
    kMarketInsiderTrades = 32825,
    // Stocks
    kReadLocal = 32771,
    kReadWeb = 32772,
    kReadQuoteService = 32902,
    kHistoricalCharts = 32773,
    kQuoteData = 32774,
    kIntradayCharts = 32775,
    kMonthSpan = 32777,
    kPriceForecast = 32816,
    kCompanyProfile = 32817,
    kStockNews = 32819,
    kMessageBoards = 32821,
    kStockResearch = 32831,
    kResearchReport = 32833,
    kStockInsiderTrades = 32835,
    kStockOptions = 32836,
    kStockEvaluator = 32838,
    kScreenQuoteFolder = 32903,
    // Window
    kNewWindow = 57648,
    kArrangeIcons = 57649,
    kCascade = 57650,
    kTile = 57651,
    // Help
    kDirections = 32851,
    kAbout = 57664,
};

// Favorites entries: entry i of the Favorites tree has the command ID
// kFirstFavoriteId + i, up to kLastFavoriteId.
inline constexpr int kFirstFavoriteId = 3584;
inline constexpr int kLastFavoriteId = 4095;
inline constexpr bool IsFavoriteEntry(int id) { return id >= kFirstFavoriteId && id <= kLastFavoriteId; }

// The recent-file entries of the File popup: kRecentFileCount IDs from
// kFirstRecentFile.
inline constexpr int kRecentFileCount = 4;

