#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/RunningProgram.h"
#include "document/CTarnwickDoc.h"
#include "support/PrivateSessionBus.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QMdiArea>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

// The program running in the test, holding its name on a bus of the suite's own.
class RunningProgramTest : public BrowserTest {
protected:
    static void SetUpTestSuite()
    {
        BrowserTest::SetUpTestSuite();
        bus_ = std::make_unique<PrivateSessionBus>();
    }
    static void TearDownTestSuite() { bus_.reset(); }

    void SetUp() override { ASSERT_FALSE(bus_->address().isEmpty()) << "dbus-daemon did not start"; }
    void TearDown() override { QDBusConnection::disconnectFromBus(kConnection); }

    static QDBusConnection Bus() { return QDBusConnection::connectToBus(bus_->address(), kConnection); }

    // The program started again, as the desktop starts it for a file.
    static QProcess& StartAgain(QProcess& program, const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_->address());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        EndsWithTheTests(program);
        program.start(QStringLiteral(TARNWICK_GUI), arguments);
        return program;
    }

    static inline const QString kConnection = QStringLiteral("running-program");
    static inline std::unique_ptr<PrivateSessionBus> bus_;
};

const QString kHistory = QStringLiteral(TARNWICK_SAMPLE_DIR "/AAPL.csv");

}  // namespace

TEST_F(RunningProgramTest, ASecondStartWithAFileHandsItToTheRunningProgramAndEnds)
{
    CTarnwickApp app;
    CommandLine commandLine;
    commandLine.config = "/nonexistent/hosts.ini";
    QString error;
    ASSERT_TRUE(app.InitInstance(commandLine, error)) << error.toStdString();
    RunningProgram running(Bus());
    ASSERT_TRUE(running.Register());
    QObject::connect(&running, &RunningProgram::fileHandedOver, &app, &CTarnwickApp::OpenHandedFile);

    QProcess second;
    StartAgain(second, {kHistory});
    // The event loop runs meanwhile: the running program answers the call.
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000))
        << "the second start opened a window of its own";
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    auto* document = qobject_cast<CChildFrame*>(app.mainFrame()->mdiArea()->activeSubWindow());
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->document().symbol, "AAPL");
    EXPECT_GT(document->document().store.barCount, 0);
}

TEST_F(RunningProgramTest, OneProgramHoldsTheNameAndWithNoneAFileIsNotHandedOver)
{
    EXPECT_FALSE(RunningProgram::HandOver(Bus(), kHistory));

    RunningProgram first(Bus());
    ASSERT_TRUE(first.Register());
    RunningProgram second(Bus());
    EXPECT_FALSE(second.Register());

    // A start with settings of its own is a program of its own: it does not end.
    QProcess withSettings;
    StartAgain(withSettings, {QStringLiteral("--symbol"), QStringLiteral("IBM"), kHistory});
    EXPECT_FALSE(QTest::qWaitFor([&] { return withSettings.state() == QProcess::NotRunning; }, 1500));
    withSettings.kill();
    withSettings.waitForFinished();
}
