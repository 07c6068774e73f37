#include "app/CommandLine.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace {

QString ToQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The program itself, started from the build tree with `environment` added.
class TarnwickProgramTest : public WidgetsTest {
protected:
    struct Outcome {
        int status = -1;
        QString out;
        QString err;
    };

    static Outcome Run(const QStringList& arguments, const QProcessEnvironment& environment)
    {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARNWICK_GUI), arguments);
        if (!program.waitForFinished(30000)) {
            program.kill();
            program.waitForFinished();
        }
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                QString::fromLocal8Bit(program.readAllStandardOutput()),
                QString::fromLocal8Bit(program.readAllStandardError())};
    }

    // An X11 program with no display to reach: the application object cannot start.
    static QProcessEnvironment WithoutDisplay()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return environment;
    }

    static QProcessEnvironment Offscreen()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        return environment;
    }
};

}  // namespace

TEST(CommandLine, ReadsEveryOptionAndTheDocumentFile)
{
    QString error;
    const auto line = CommandLine::Parse({"tarnwick", "--quote-dir", "data/sample/CAT", "--symbol", "cat", "--config",
                                          "/tmp/hosts.ini", "week.stk", "--all-hosts", "127.0.0.1:8080"},
                                         error);
    ASSERT_TRUE(line) << error.toStdString();
    EXPECT_EQ(line->mode, CommandLine::Mode::Run);
    EXPECT_EQ(line->quoteDir, "data/sample/CAT");
    EXPECT_EQ(line->symbol, "cat");
    EXPECT_EQ(line->config, "/tmp/hosts.ini");
    EXPECT_EQ(line->allHosts, "127.0.0.1:8080");
    EXPECT_EQ(line->file, "week.stk");
}

TEST(CommandLine, MistakesAreNamed)
{
    QString error;
    EXPECT_FALSE(CommandLine::Parse({"tarnwick", "--colour"}, error));
    EXPECT_EQ(error, "unknown argument \"--colour\"");
    EXPECT_FALSE(CommandLine::Parse({"tarnwick", "--symbol"}, error));
    EXPECT_EQ(error, "--symbol needs a value");
    EXPECT_FALSE(CommandLine::Parse({"tarnwick", "a.stk", "b.stk"}, error));
    EXPECT_TRUE(error.contains("b.stk"));
}

// A switch decides wherever it stands, also among Qt's own options, which
// only the application object can take out.
TEST(CommandLine, ASwitchAnywhereDecidesWhatTheProgramDoes)
{
    using Mode = CommandLine::Mode;
    EXPECT_EQ(CommandLine::RequestedMode({"tarnwick", "-platform", "offscreen", "--version"}), Mode::Version);
    EXPECT_EQ(CommandLine::RequestedMode({"tarnwick", "--symbol", "IBM", "--help"}), Mode::Help);
    EXPECT_EQ(CommandLine::RequestedMode({"tarnwick", "/Embedding"}), Mode::Automation);
    EXPECT_EQ(CommandLine::RequestedMode({"tarnwick", "--symbol", "IBM", "week.stk"}), Mode::Run);

    QString error;
    const auto automation = CommandLine::Parse({"tarnwick", "--colour", "-Automation"}, error);
    ASSERT_TRUE(automation) << error.toStdString();
    EXPECT_EQ(automation->mode, Mode::Automation);
}

TEST(CommandLine, TheUsageTextNamesEveryOptionAndOnlyThose)
{
    const QString usage = CommandLine::Usage();
    for (const CommandLineOption& option : kCommandLineOptions) {
        const QString shown = option.valueName.empty() ? ToQString(option.name)
                                                       : ToQString(option.name) + ' ' + ToQString(option.valueName);
        EXPECT_TRUE(usage.contains(shown)) << shown.toStdString();
    }
    EXPECT_TRUE(usage.contains("[FILE.stk]"));

    const QRegularExpression optionWord(QStringLiteral(R"((?:^|[\s\[|,(])(-{1,2}[A-Za-z][\w-]*))"));
    int found = 0;
    for (const QRegularExpressionMatch& match : optionWord.globalMatch(usage)) {
        ++found;
        QString error;
        EXPECT_TRUE(CommandLine::Parse({"tarnwick", match.captured(1), "value"}, error))
            << match.captured(1).toStdString() << ": " << error.toStdString();
    }
    EXPECT_GE(found, 8);
}

TEST_F(TarnwickProgramTest, HelpAndVersionNeedNoDisplay)
{
    const Outcome help = Run({"--symbol", "IBM", "--help"}, WithoutDisplay());
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_EQ(help.out, CommandLine::Usage());

    const Outcome version = Run({"--version"}, WithoutDisplay());
    EXPECT_EQ(version.status, 0) << version.err.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^tarnwick \d+\.\d+(\.\d+)*\n$)")).match(version.out).hasMatch())
        << version.out.toStdString();
}

TEST_F(TarnwickProgramTest, AMistakeOnTheLinePrintsTheUsageAndAFailedStartTheReason)
{
    const Outcome wrong = Run({"--colour"}, Offscreen());
    EXPECT_EQ(wrong.status, 2);
    // Qt may have warned about the environment before.
    EXPECT_TRUE(wrong.err.endsWith("tarnwick: unknown argument \"--colour\"\n" + CommandLine::Usage()))
        << wrong.err.toStdString();
    EXPECT_EQ(wrong.out, "");

    const Outcome failed = Run({"--config", "/"}, Offscreen());
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.endsWith("tarnwick: Cannot read the hosts file \"/\": it is a folder.\n"))
        << failed.err.toStdString();
}
