#include "app/AutomationServer.h"
#include "qtcanvas/OffscreenGuiApplication.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <memory>
#include <optional>
#include <sys/prctl.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A child of the tests dies with them, even when they are killed halfway.
void EndsWithTheTests(QProcess& process)
{
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

// A session bus of the suite's own: the tests need no desktop session and
// never meet the program of another suite running at the same time.
class PrivateBusTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        gui_ = std::make_unique<OffscreenGuiApplication>();
        socketFolder_ = std::make_unique<TempFolder>();
        daemon_ = std::make_unique<QProcess>();
        EndsWithTheTests(*daemon_);
        const QString folder = QString::fromStdString(socketFolder_->path().string());
        daemon_->start(QStringLiteral("dbus-daemon"),
                       {"--session", "--nofork", "--print-address", "--address=unix:dir=" + folder});
        while (!daemon_->canReadLine() && daemon_->waitForReadyRead(10000)) {
        }
        address_ = QString::fromUtf8(daemon_->readLine()).trimmed();
    }

    static void TearDownTestSuite()
    {
        daemon_->kill();
        daemon_->waitForFinished();
        daemon_.reset();
        socketFolder_.reset();
        gui_.reset();
    }

    void SetUp() override { ASSERT_FALSE(address_.isEmpty()) << "dbus-daemon did not start"; }

    static inline QString address_;

private:
    static inline std::unique_ptr<OffscreenGuiApplication> gui_;
    static inline std::unique_ptr<TempFolder> socketFolder_;
    static inline std::unique_ptr<QProcess> daemon_;
};

// The real program, started for automation on the private bus, and one client of it.
class AutomationServerProgramTest : public PrivateBusTest {
protected:
    void SetUp() override
    {
        PrivateBusTest::SetUp();
        if (HasFatalFailure())
            return;
        client_ = QDBusConnection::connectToBus(address_, kClientName);
        ASSERT_TRUE(client_->isConnected()) << client_->lastError().message().toStdString();
    }

    void TearDown() override
    {
        for (const auto& program : programs_) {
            program->kill();
            program->waitForFinished();
        }
        LeaveTheBus();
    }

    QProcess& StartProgram(const QString& option)
    {
        auto& program = programs_.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        program->setProcessEnvironment(environment);
        EndsWithTheTests(*program);
        program->start(QStringLiteral(TARNWICK_GUI), {option});
        return *program;
    }

    bool ServiceAppears()
    {
        return QTest::qWaitFor(
            [this] { return client_->interface()->isServiceRegistered(AutomationServer::kServiceName).value(); },
            10000);
    }

    QDBusMessage CallApplication(const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(AutomationServer::kServiceName, AutomationServer::kObjectPath,
                                           QStringLiteral("org.tarnwick.Tarnwick.Application"), method);
        call.setArguments(arguments);
        return client_->call(call);
    }

    QString CreateDocument()
    {
        return CallApplication(QStringLiteral("CreateDocument")).arguments().value(0).value<QDBusObjectPath>().path();
    }

    // Run by a client of its own, dbus-send, which leaves the bus at once;
    // the output names the document made, or the error.
    QString CreateDocumentAsAnotherClient()
    {
        QProcess send;
        send.start(QStringLiteral("dbus-send"),
                   {QStringLiteral("--bus=") + address_, QStringLiteral("--print-reply"),
                    QStringLiteral("--dest=") + AutomationServer::kServiceName, AutomationServer::kObjectPath,
                    QStringLiteral("org.tarnwick.Tarnwick.Application.CreateDocument")});
        send.waitForFinished(10000);
        const QString output = QString::fromUtf8(send.readAllStandardOutput() + send.readAllStandardError());
        const qsizetype path = output.indexOf(AutomationServer::kDocumentPathPrefix);
        return path < 0 ? output : output.mid(path).section(QLatin1Char('"'), 0, 0);
    }

    QDBusMessage ReleaseDocument(const QString& path)
    {
        return CallApplication(QStringLiteral("ReleaseDocument"), {QVariant::fromValue(QDBusObjectPath(path))});
    }

    // The connection closes once no QDBusConnection refers to it any more.
    void LeaveTheBus()
    {
        client_.reset();
        QDBusConnection::disconnectFromBus(kClientName);
    }

    static testing::AssertionResult QuitsSuccessfully(QProcess& program)
    {
        if (!program.waitForFinished(10000))
            return testing::AssertionFailure() << "still running";
        if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)
            return testing::AssertionFailure() << "exit code " << program.exitCode() << ": "
                                               << program.readAllStandardError().toStdString();
        return testing::AssertionSuccess();
    }

    static inline const QString kClientName = QStringLiteral("automation-client");
    std::optional<QDBusConnection> client_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};

// The server class alone, for what takes too long or cannot happen with the program.
class AutomationServerTest : public PrivateBusTest {
protected:
    void TearDown() override { QDBusConnection::disconnectFromBus(kServerName); }

    static inline const QString kServerName = QStringLiteral("automation-server");
};

}  // namespace

TEST_F(AutomationServerProgramTest, ServesAClientWithoutAWindowUntilTheClientLeaves)
{
    QProcess& program = StartProgram(QStringLiteral("-Automation"));
    ASSERT_TRUE(ServiceAppears()) << program.readAllStandardError().toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);

    const QString document = CreateDocument();
    EXPECT_TRUE(document.startsWith(AutomationServer::kDocumentPathPrefix)) << document.toStdString();
    const QDBusMessage introspection = client_->call(QDBusMessage::createMethodCall(
        AutomationServer::kServiceName, document, QStringLiteral("org.freedesktop.DBus.Introspectable"),
        QStringLiteral("Introspect")));
    EXPECT_TRUE(introspection.arguments().value(0).toString().contains(
        QStringLiteral("<interface name=\"org.tarnwick.Tarnwick.Document\"/>")));

    LeaveTheBus();
    EXPECT_TRUE(QuitsSuccessfully(program));
}

TEST_F(AutomationServerProgramTest, ReleasingTheLastDocumentEndsTheProgram)
{
    QProcess& program = StartProgram(QStringLiteral("-Embedding"));
    ASSERT_TRUE(ServiceAppears()) << program.readAllStandardError().toStdString();
    const QString first = CreateDocument();
    const QString second = CreateDocument();
    ASSERT_NE(first, second);

    EXPECT_EQ(ReleaseDocument(first).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(ReleaseDocument(first).errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
    EXPECT_EQ(program.state(), QProcess::Running);  // it has just answered

    EXPECT_EQ(ReleaseDocument(second).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QuitsSuccessfully(program));
}

TEST_F(AutomationServerProgramTest, DocumentsOfClientsThatLeftAreReleasedWhileAnotherClientStays)
{
    QProcess& program = StartProgram(QStringLiteral("-Automation"));
    ASSERT_TRUE(ServiceAppears()) << program.readAllStandardError().toStdString();
    const QString kept = CreateDocument();

    for (int client = 0; client < 10; ++client)
        ASSERT_TRUE(CreateDocumentAsAnotherClient().startsWith(AutomationServer::kDocumentPathPrefix));

    const auto documentsOnTheBus = [this] {
        const QDBusMessage reply = client_->call(QDBusMessage::createMethodCall(
            AutomationServer::kServiceName, QStringLiteral("/Tarnwick/Documents"),
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
        return reply.arguments().value(0).toString().count(QStringLiteral("<node name="));
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return documentsOnTheBus() == 1; }, 10000)) << documentsOnTheBus();
    EXPECT_EQ(program.state(), QProcess::Running);
    EXPECT_EQ(ReleaseDocument(kept).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QuitsSuccessfully(program));
}

// A document holds about half a megabyte: a client that makes them without
// end is stopped before it takes the machine's memory, and others go on.
TEST_F(AutomationServerProgramTest, AClientHoldsAHundredDocumentsAtMostAndOthersAreNotHeldBack)
{
    QProcess& program = StartProgram(QStringLiteral("-Automation"));
    ASSERT_TRUE(ServiceAppears()) << program.readAllStandardError().toStdString();
    for (int document = 0; document < 100; ++document)
        ASSERT_EQ(CallApplication(QStringLiteral("CreateDocument")).type(), QDBusMessage::ReplyMessage) << document;

    const QDBusMessage refused = CallApplication(QStringLiteral("CreateDocument"));
    EXPECT_EQ(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.LimitsExceeded"));
    EXPECT_TRUE(refused.errorMessage().contains(QStringLiteral("ReleaseDocument"))) << refused.errorMessage().toStdString();
    EXPECT_TRUE(CreateDocumentAsAnotherClient().startsWith(AutomationServer::kDocumentPathPrefix));
}

TEST_F(AutomationServerProgramTest, ASecondProgramFindsTheServiceTaken)
{
    QProcess& first = StartProgram(QStringLiteral("/Automation"));
    ASSERT_TRUE(ServiceAppears()) << first.readAllStandardError().toStdString();

    QProcess& second = StartProgram(QStringLiteral("-Automation"));
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("org.tarnwick.Tarnwick"));
    EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(AutomationServerTest, FinishesWhenNoClientComesWithinTheGracePeriod)
{
    AutomationServer server(QDBusConnection::connectToBus(address_, kServerName), 50ms);
    QSignalSpy finished(&server, &AutomationServer::Finished);
    QString error;
    ASSERT_TRUE(server.Start(error)) << error.toStdString();
    EXPECT_TRUE(finished.wait(10000));
}

TEST_F(AutomationServerTest, DoesNotStartWithoutABus)
{
    AutomationServer server(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), kServerName));
    QString error;
    EXPECT_FALSE(server.Start(error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("no D-Bus session bus"))) << error.toStdString();
}
