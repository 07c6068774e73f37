#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <memory>

// The QApplication of the test suites that show widgets, on Qt's offscreen
// platform unless QT_QPA_PLATFORM names another.
namespace widgets_application {

inline int argumentCount = 1;
inline char programName[] = "tarnwick-tests";
inline char* arguments[] = {programName, nullptr};

inline void PrepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The browser view's engine needs this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace widgets_application

// One QApplication for the suite, gone again after it.
class WidgetsTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (QCoreApplication::instance() != nullptr)
            return;
        widgets_application::PrepareEnvironment();
        application_ = std::make_unique<QApplication>(widgets_application::argumentCount,
                                                      widgets_application::arguments);
    }
    static void TearDownTestSuite() { application_.reset(); }

private:
    static inline std::unique_ptr<QApplication> application_;
};

// Suites that start the browser engine: its QApplication is never destroyed,
// since the engine cannot start twice in one process, and its sandbox is off
// (it refuses to run as root, as CI does; the tests load only their own pages).
class BrowserTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (QCoreApplication::instance() != nullptr)
            return;
        widgets_application::PrepareEnvironment();
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        new QApplication(widgets_application::argumentCount, widgets_application::arguments);
    }

    void SetUp() override
    {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
            GTEST_SKIP() << "another test made a QGuiApplication, which cannot hold a browser view";
    }
};

// Runs the event loop until `done` holds; false after `timeoutMs` without.
// (QTest::qWaitFor sleeps between its rounds, which slows the browser engine
// down to seconds a page.)
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
