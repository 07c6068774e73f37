#include "app/ToolbarIcons.h"
#include "document/CommandTable.h"
#include "support/WidgetsApplication.h"

#include <QImage>

#include <map>

class ToolbarIconsTest : public WidgetsTest {
protected:
    static QImage Render(int commandId)
    {
        return ToolbarIcon(commandId).pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(ToolbarIconsTest, EveryToolbarButtonDrawsAnIcon)
{
    for (const int id : kToolbar) {
        if (id == kSeparator)
            continue;
        SCOPED_TRACE(id);
        ASSERT_FALSE(ToolbarIcon(id).isNull());
        const QImage image = Render(id);
        ASSERT_EQ(image.size(), QSize(16, 15));
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        EXPECT_GT(opaque, 20);
    }
}

TEST_F(ToolbarIconsTest, NoTwoButtonsLookAlike)
{
    std::map<int, QImage> seen;
    for (const int id : kToolbar) {
        if (id == kSeparator)
            continue;
        const QImage image = Render(id);
        for (const auto& [other, otherImage] : seen)
            EXPECT_NE(image, otherImage) << id << " and " << other;
        seen.emplace(id, image);
    }
}

TEST_F(ToolbarIconsTest, OtherCommandsHaveNoIcon)
{
    EXPECT_TRUE(ToolbarIcon(kSeparator).isNull());
    EXPECT_TRUE(ToolbarIcon(12345).isNull());
}
