#include "app/CTWView.h"
#include "support/SampleDocument.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QScrollBar>

#include <memory>

namespace {

// Whether any pixel of the image is not white.
bool HasInk(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

class CTWViewTest : public WidgetsTest {
protected:
    // The view at 600 by 400 pixels, painted once.
    static std::unique_ptr<CTWView> ShownView(CTarnwickDoc& document)
    {
        auto view = std::make_unique<CTWView>(document);
        view->resize(600, 400);
        view->show();
        view->viewport()->grab();
        return view;
    }

    static int Pixels(int units, int dpi) { return units * dpi / 100; }
};

}  // namespace

TEST_F(CTWViewTest, WithoutBarsThePageIsBlankAndKeepsItsFirstSize)
{
    CTarnwickDoc document;
    const auto view = ShownView(document);
    EXPECT_FALSE(HasInk(view->viewport()->grab().toImage()));
    EXPECT_EQ(view->pageSize(), (PageSize{1000, 1000}));
    EXPECT_EQ(view->verticalScrollBar()->maximum(),
              Pixels(1000, view->logicalDpiY()) - view->viewport()->height());
}

TEST_F(CTWViewTest, ScrollsOverTheWholeChartPage)
{
    const auto document = LoadedSample("IBM");
    const auto view = ShownView(*document);
    const QImage top = view->viewport()->grab().toImage();
    EXPECT_TRUE(HasInk(top));
    EXPECT_EQ(view->pageSize(), kChartPageSize);
    QScrollBar* vertical = view->verticalScrollBar();
    EXPECT_EQ(vertical->maximum(), Pixels(4100, view->logicalDpiY()) - view->viewport()->height());

    vertical->setValue(vertical->maximum() / 2);
    const QImage middle = view->viewport()->grab().toImage();
    EXPECT_TRUE(HasInk(middle));
    EXPECT_NE(top, middle);
}

TEST_F(CTWViewTest, TheQuoteTablePageHasItsOwnHeight)
{
    auto document = LoadedSample("IBM");
    document->chartPage = 1;
    const auto view = ShownView(*document);
    EXPECT_EQ(view->pageSize(), (PageSize{1000, (400 * 5 + 25) * 4}));
}
