#include "cli/PageFile.h"

#include "base/Errors.h"
#include "base/WholeFileWrite.h"
#include "cli/LargeImage.h"
#include "cli/LargeImage.h"
#include "cli/PngEncoder.h"
#include "qtcanvas/QtCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr int kPdfDpi = 1200;
constexpr double kInchesPerMetre = 1 / 0.0254;

// Draws nothing: a first pass that only asks the paint pass for the page size.
class DiscardingCanvas : public Canvas {
public:
    PenId CreatePen(Rgb) override { return ++pens_; }
    PenId SelectPen(PenId pen) override { return std::exchange(selected_, pen); }
    void DeletePen(PenId) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void SetTextColour(Rgb) override {}
    void TextOut(int, int, std::string_view) override {}

private:
    PenId pens_ = 0;
    PenId selected_ = 0;
};

QString PageTitle(const ChartInput& input)
{
    const QString symbol = QString::fromStdString(input.loadedSymbol);
    return input.chartPage == 1 ? symbol + QStringLiteral(" quotes") : symbol + QStringLiteral(" chart");
}

void Paint(QPainter& painter, const ChartInput& input, const QRect& page)
{
    painter.fillRect(page, Qt::white);
    QtCanvas canvas(painter);
    PaintChartPage(canvas, input);
}

QByteArray SvgBytes(const ChartInput& input, PageSize size, int dpi)
{
    const QRect page(0, 0, PixelsFor(size.width, dpi), PixelsFor(size.height, dpi));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(dpi);
    svg.setSize(page.size());
    svg.setViewBox(page);
    svg.setTitle(PageTitle(input));
    QPainter painter(&svg);
    Paint(painter, input, page);
    painter.end();
    return bytes;
}

QByteArray PdfBytes(const ChartInput& input, PageSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfDpi);
        pdf.setPageSize(QPageSize(QSizeF(size.width / 100.0, size.height / 100.0), QPageSize::Inch, QString(),
                                  QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(PageTitle(input));
        pdf.setCreator(QStringLiteral("Tarnwick"));
        QPainter painter(&pdf);
        Paint(painter, input, QRect(0, 0, PixelsFor(size.width, kPdfDpi), PixelsFor(size.height, kPdfDpi)));
    }
    return bytes;
}

void WriteFile(const std::filesystem::path& file, const QByteArray& bytes)
{
    WriteWholeFile(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), "page file");
}

}  // namespace

QImage PageImage(const ChartInput& input, PageSize size, int dpi)
{
    const int width = PixelsFor(size.width, dpi);
    const int height = PixelsFor(size.height, dpi);
    QImage image = LargeRgbImage(width, height);
    if (image.isNull())
        throw TarnwickError("an image of " + std::to_string(width) + " x " + std::to_string(height) +
                            " pixels does not fit in memory; ask for fewer dots per inch with --dpi");
    const int dotsPerMetre = static_cast<int>(std::lround(dpi * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        Paint(painter, input, image.rect());
    }
    return image;
}

std::optional<PageFormat> PageFormatOf(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png")
        return PageFormat::Png;
    if (extension == ".svg")
        return PageFormat::Svg;
    if (extension == ".pdf")
        return PageFormat::Pdf;
    return std::nullopt;
}

int PixelsFor(int units, int dpi)
{
    return static_cast<int>((static_cast<long long>(units) * dpi + 99) / 100);
}

std::optional<PageSize> PageSizeOf(const ChartInput& input)
{
    DiscardingCanvas sizing;
    return PaintChartPage(sizing, input);
}

std::optional<PageSize> WritePageFile(const ChartInput& input, const std::filesystem::path& file, PageFormat format,
                                      int dpi)
{
    const std::optional<PageSize> size = PageSizeOf(input);
    if (!size)
        return std::nullopt;

    switch (format) {
    case PageFormat::Png:
        WriteFile(file, EncodePng(PageImage(input, *size, dpi)));
        break;
    case PageFormat::Svg:
        WriteFile(file, SvgBytes(input, *size, dpi));
        break;
    case PageFormat::Pdf:
        WriteFile(file, PdfBytes(input, *size));
        break;
    }
    return size;
}
