#pragma once

#include "chart/ChartInput.h"
#include "chart/ChartPagePaint.h"

#include <QImage>

#include <filesystem>
#include <optional>

enum class PageFormat { Png, Svg, Pdf };

// The format the file name's extension asks for: .png, .svg or .pdf, in any
// case; nothing for any other name.
std::optional<PageFormat> PageFormatOf(const std::filesystem::path& file);

// Paints the page input.chartPage selects into `file`, at the page's
// physical size on a white background:
// - PNG: `dpi` pixels an inch (the chart page at 96 dpi is 1152 x 3936);
// - SVG: a viewBox of `dpi` units an inch, with its width and height in mm;
// - PDF: one page of the page's size in inches, drawn at 1200 dots an inch.
// Returns the page size in 0.01 inch; returns nothing and writes nothing when
// the store has no bars. Needs a QGuiApplication (OffscreenGuiApplication).
// Throws FileError, naming the file and the reason, when the file cannot be
// written (it is then left as it was), and TarnwickError when the image
// would be too large to hold in memory.
std::optional<PageSize> WritePageFile(const ChartInput& input, const std::filesystem::path& file, PageFormat format,
                                      int dpi);

// The size in 0.01 inch of the page input.chartPage selects; nothing when
// the store has no bars.
std::optional<PageSize> PageSizeOf(const ChartInput& input);

// The page input.chartPage selects, of `size` (PageSizeOf), drawn
// on white into an RGB image of `dpi` pixels an inch: what a PNG page file
// holds. Needs a QGuiApplication. Throws TarnwickError when the image would
// be too large to hold in memory.
QImage PageImage(const ChartInput& input, PageSize size, int dpi);

// Pixels across `units` hundredths of an inch at `dpi`, rounded up.
int PixelsFor(int units, int dpi);
