#include "cli/PageFile.h"
#include "cli/RenderCommand.h"
#include "support/CliRun.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

namespace fs = std::filesystem;

// Rows [first, last) of the image hold a pixel that is not white.
bool RowsInked(const QImage& image, int first, int last)
{
    for (int y = first; y < last; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

// What the real tool printed and returned for "render" with `arguments`
// (shell words).
Outcome RunProgram(const std::string& program, const std::string& arguments, const TempFolder& folder)
{
    const std::string err = (folder.path() / "err.txt").string();
    Outcome run = RunShell(program + " render " + arguments + " 2>'" + err + "'");
    run.err = ReadFile(err);
    return run;
}

class RenderCommandTest : public WidgetsTest {
protected:
    // Renders the sample IBM history with `more` arguments into `file` of the temporary folder.
    Outcome Render(const std::string& file, std::vector<std::string_view> more = {})
    {
        output_ = (folder_.path() / file).string();
        std::vector<std::string_view> args = {"--quote-dir", sample_, "--symbol", "IBM", "--out", output_};
        args.insert(args.end(), more.begin(), more.end());
        return Run(args);
    }

    static Outcome Run(const std::vector<std::string_view>& args) { return RunCli(RunRender, args); }

    TempFolder folder_;
    std::string sample_ = SampleDir("IBM");
    std::string output_;
};

}  // namespace

TEST_F(RenderCommandTest, ChartPageIsAPngOfTwelveByFortyOneInches)
{
    const Outcome outcome = Render("chart.png");
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("1152 x 3936 pixels at 96 dpi"), std::string::npos) << outcome.out;

    const QImage image(QString::fromStdString(output_));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1152, 3936));
    EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 96, 0.5);
    EXPECT_TRUE(RowsInked(image, 0, 105));        // the quote summary strip, above 1.1 inch
    EXPECT_FALSE(RowsInked(image, 3870, 3936));  // the lowest frame ends at 40.1 inch
    EXPECT_EQ(image.pixel(image.width() - 1, 0), qRgb(255, 255, 255));
}

TEST_F(RenderCommandTest, DpiScalesTheImageAndTheTableHasItsOwnHeight)
{
    const Outcome half = Render("half.png", {"--dpi", "48"});
    ASSERT_EQ(half.status, 0) << half.err;
    EXPECT_EQ(QImage(QString::fromStdString(output_)).size(), QSize(576, 1968));

    // 400 bars: (400 * 5 + 25) * 4 = 8100 hundredths of an inch.
    const Outcome table = Render("table.png", {"--page", "table"});
    ASSERT_EQ(table.status, 0) << table.err;
    const QImage image(QString::fromStdString(output_));
    EXPECT_EQ(image.size(), QSize(960, 7776));
    EXPECT_TRUE(RowsInked(image, 0, 20));  // the header row
}

TEST_F(RenderCommandTest, SvgAndPdfKeepThePhysicalSize)
{
    ASSERT_EQ(Render("chart.svg").status, 0);
    const std::string svg = ReadFile(output_);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << svg.substr(0, 100);
    EXPECT_NE(svg.find("<svg width=\"304.8mm\" height=\"1041.4mm\""), std::string::npos) << svg.substr(0, 300);
    EXPECT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_NE(svg.find(">Moving Averages<"), std::string::npos);

    ASSERT_EQ(Render("chart.PDF").status, 0);
    const std::string pdf = ReadFile(output_);
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u) << pdf.substr(0, 20);
    EXPECT_NE(pdf.find("/MediaBox [0 0 864"), std::string::npos);  // 12 x 41 inches in points
    EXPECT_NE(pdf.find(" 2952"), std::string::npos);
    EXPECT_GT(pdf.size(), 10000u);
}

TEST_F(RenderCommandTest, WrongArgumentsExitTwoAndWriteNothing)
{
    for (const std::vector<std::string_view>& more :
         std::vector<std::vector<std::string_view>>{{"--dpi", "abc"}, {"--dpi", "23"}, {"--dpi", "601"},
                                                     {"--dpi", "96x"}, {"--page", "charts"}, {"--colour"}}) {
        const Outcome outcome = Render("wrong.png", more);
        EXPECT_EQ(outcome.status, 2) << more[0];
        EXPECT_NE(outcome.err.find(more[0]), std::string::npos) << outcome.err;
        EXPECT_FALSE(fs::exists(output_)) << more[0];
    }
    const Outcome bmp = Render("chart.bmp");
    EXPECT_EQ(bmp.status, 2);
    EXPECT_NE(bmp.err.find(".png, .svg or .pdf"), std::string::npos) << bmp.err;
    EXPECT_EQ(Run({"--symbol", "IBM"}).status, 2);
    EXPECT_EQ(Run({"--out", "x.png"}).status, 2);
}

TEST_F(RenderCommandTest, FailuresNameTheFileAndExitOne)
{
    const Outcome unwritable = Render("no/such/folder/chart.png");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find(output_), std::string::npos) << unwritable.err;

    const std::string out = (folder_.path() / "chart.png").string();
    const Outcome missing = Run({"--quote-dir", "/nonexistent/folder", "--symbol", "IBM", "--out", out});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("quote folder \"/nonexistent/folder\""), std::string::npos) << missing.err;

    folder_.Write("quotes.csv", "");
    folder_.Write("table.csv", "");
    const Outcome noBars = Run({"--quote-dir", folder_.path().string(), "--symbol", "IBM", "--out", out});
    EXPECT_EQ(noBars.status, 1);
    EXPECT_NE(noBars.err.find("No daily bars"), std::string::npos) << noBars.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(RenderCommandTest, AFullDiskIsCalledThat)
{
    // The full device, as a node of the test folder behind the file's name:
    // a program that replaced the target would replace only that node.
    const fs::path full = folder_.path() / "full";
    if (::mknod(full.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "device nodes cannot be made here";
    fs::create_symlink(full, folder_.path() / "chart.png");
    const Outcome outcome = Render("chart.png");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("\": the disk is full; free some space on it or write the file elsewhere."),
              std::string::npos)
        << outcome.err;
    EXPECT_TRUE(fs::is_character_file(full));
}

TEST_F(RenderCommandTest, TheProgramDrawsWithoutADisplay)
{
    const std::string cli = TARNWICK_CLI;
    const std::string out = (folder_.path() / "chart.png").string();
    const std::string headless = "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY " + cli + " render ";
    EXPECT_EQ(RunShell(headless + "--symbol IBM --quote-dir '" + sample_ + "' --out '" + out + "'").status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(out)).size(), QSize(1152, 3936));
}

TEST_F(RenderCommandTest, ThePngHoldsExactlyThePixelsDrawn)
{
    const std::unique_ptr<CTarnwickDoc> document = LoadedSample("IBM");
    for (const auto& [page, dpi] : {std::pair{"chart", 96}, {"table", 96}, {"chart", 37}}) {
        const Outcome outcome = Render("page.png", {"--page", page, "--dpi", std::to_string(dpi)});
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        document->chartPage = std::string_view(page) == "table" ? 1 : 0;
        const std::optional<PageSize> size = PageSizeOf(document->chartInput());
        ASSERT_TRUE(size);
        const QImage drawn = PageImage(document->chartInput(), *size, dpi);
        const QImage written = QImage(QString::fromStdString(output_)).convertToFormat(drawn.format());
        ASSERT_EQ(written.size(), drawn.size()) << page << " at " << dpi;
        EXPECT_TRUE(written == drawn) << page << " at " << dpi;
    }
}

TEST_F(RenderCommandTest, TheToolPrintsAndExitsAsTheCommandDoes)
{
    const std::string cli = TARNWICK_CLI;
    const std::string out = (folder_.path() / "chart.png").string();
    const Outcome program = RunProgram(cli, "--quote-dir '" + sample_ + "' --symbol IBM --out '" + out + "'", folder_);
    ASSERT_EQ(program.status, 0) << program.err;
    const Outcome inProcess = Render("chart.png");
    EXPECT_EQ(program.out, inProcess.out);

    const Outcome wrong = RunProgram(cli, "--symbol IBM --dpi 601 --out '" + out + "'", folder_);
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.err, Run({"--symbol", "IBM", "--dpi", "601", "--out", out}).err);

    const Outcome help = RunProgram(cli, "--help", folder_);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, kRenderUsage);
}

TEST_F(RenderCommandTest, AToolWithoutItsDrawingProgramSaysSo)
{
    // A copy of the tool alone in a folder: nothing named like the drawing
    // program on PATH may stand in for it.
    const fs::path lone = folder_.path() / "tarnwick-cli";
    fs::copy_file(TARNWICK_CLI, lone);
    const std::string out = (folder_.path() / "chart.png").string();
    const Outcome outcome = RunProgram(
        "PATH='" + fs::path(TARNWICK_CLI).parent_path().string() + "' '" + lone.string() + "'",
        "--quote-dir '" + sample_ + "' --symbol IBM --out '" + out + "'", folder_);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find((folder_.path() / "tarnwick-cli-render").string()), std::string::npos)
        << outcome.err;
    EXPECT_FALSE(fs::exists(out));
}
