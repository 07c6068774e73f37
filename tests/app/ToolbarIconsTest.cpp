#include "app/ToolbarIcons.h"
#include "document/CommandTable.h"
#include "support/WidgetsApplication.h"

#include <QImage>

#include <map>

class ToolbarIconsTest : public WidgetsTest {};

TEST_F(ToolbarIconsTest, EveryToolbarButtonDrawsAnIconOfItsOwn)
{
    std::map<int, QImage> seen;
    for (const int id : kToolbar) {
        if (id == kSeparator)
            continue;
        SCOPED_TRACE(id);
        const QImage image =
            ToolbarIcon(id).pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(16, 15));
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        EXPECT_GT(opaque, 20);
        for (const auto& [other, otherImage] : seen)
            EXPECT_NE(image, otherImage) << "looks like " << other;
        seen.emplace(id, image);
    }
}
