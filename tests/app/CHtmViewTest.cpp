#include "app/CHtmView.h"
#include "document/CTarnwickDoc.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QClipboard>
#include <QPrinter>

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

namespace {

constexpr char kPageA[] = "<html><head><title>A</title></head><body>"
                          "<p>Quotes for IBM</p><a id='next' href='b.htm' target='_blank'>B</a></body></html>";
constexpr char kPageB[] = "<html><head><title>B</title></head><body><p>Page B</p></body></html>";

// Serves page B as /b.htm on 127.0.0.1 while it lives.
class LoopbackSite {
public:
    LoopbackSite()
    {
        server_.Get("/b.htm", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(kPageB, "text/html");
        });
        // Without keep-alive, stop() need not wait for the browser to close its connections.
        server_.set_keep_alive_max_count(1);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
    }
    ~LoopbackSite()
    {
        server_.stop();
        thread_.join();
    }
    QString Url(const char* path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path); }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

class CHtmViewTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        if (IsSkipped())
            return;
        folder_.Write("a.htm", kPageA);
        view_ = std::make_unique<CHtmView>(*document_, CHtmView::StartPageUrl());
        view_->resize(640, 480);
        view_->show();
        QObject::connect(view_.get(), &CHtmView::documentComplete,
                         [this](const QString& url) { completed_.push_back(url); });
    }

    // Runs `action` and waits for the next page the view completes; its address, or "" on timeout.
    QString NextPage(const std::function<void()>& action)
    {
        const qsizetype before = completed_.size();
        action();
        return WaitUntil([&] { return completed_.size() > before; }) ? completed_.back() : QString();
    }

    QString PageA() const { return QString::fromStdString((folder_.path() / "a.htm").string()); }
    QString PageAUrl() const { return QUrl::fromLocalFile(PageA()).toString(); }

    std::unique_ptr<CTarnwickDoc> document_ = std::make_unique<CTarnwickDoc>();
    TempFolder folder_;
    std::unique_ptr<CHtmView> view_;
    QStringList completed_;
};

}  // namespace

TEST_F(CHtmViewTest, ShowsTheShippedStartPageOncePerDocument)
{
    EXPECT_EQ(NextPage([&] { view_->OnInitialUpdate(); }), QStringLiteral("qrc:/tarnwick/start.htm"));
    EXPECT_EQ(view_->title(), QStringLiteral("Tarnwick"));
    EXPECT_EQ(document_->homePageShown, 1);

    CHtmView second(*document_, CHtmView::StartPageUrl());
    second.OnInitialUpdate();
    EXPECT_TRUE(second.url().isEmpty());
}

TEST_F(CHtmViewTest, ReportsLocalAndLoopbackPagesAndGoesBackAndForward)
{
    const LoopbackSite site;
    EXPECT_EQ(NextPage([&] { view_->Navigate(PageA()); }), PageAUrl());
    EXPECT_EQ(NextPage([&] { view_->Navigate(site.Url("/b.htm")); }), site.Url("/b.htm"));
    view_->Navigate(QString());
    EXPECT_EQ(NextPage([&] { view_->GoBack(); }), PageAUrl());
    EXPECT_EQ(NextPage([&] { view_->GoForward(); }), site.Url("/b.htm"));
}

TEST_F(CHtmViewTest, SelectAllAndCopyPutThePageTextOnTheClipboard)
{
    ASSERT_EQ(NextPage([&] { view_->Navigate(PageA()); }), PageAUrl());
    QGuiApplication::clipboard()->clear();
    view_->SelectAll();
    view_->Copy();
    EXPECT_TRUE(WaitUntil([] { return QGuiApplication::clipboard()->text().contains("Quotes for IBM"); }))
        << QGuiApplication::clipboard()->text().toStdString();
}

TEST_F(CHtmViewTest, ALinkToANewWindowOpensInThisViewAfterThePageShown)
{
    folder_.Write("b.htm", kPageB);
    const QString pageB = QUrl::fromLocalFile(QString::fromStdString((folder_.path() / "b.htm").string())).toString();
    ASSERT_EQ(NextPage([&] { view_->Navigate(PageA()); }), PageAUrl());
    EXPECT_EQ(NextPage([&] { view_->page()->runJavaScript("document.getElementById('next').click()"); }), pageB);
    EXPECT_EQ(NextPage([&] { view_->GoBack(); }), PageAUrl());
}

TEST_F(CHtmViewTest, PrintsThePageToAPdf)
{
    ASSERT_EQ(NextPage([&] { view_->Navigate(PageA()); }), PageAUrl());
    const std::filesystem::path file = folder_.path() / "page.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file.string()));
    bool finished = false;
    bool success = false;
    QObject::connect(view_.get(), &QWebEngineView::printFinished, [&](bool ok) {
        finished = true;
        success = ok;
    });
    view_->Print(printer);
    ASSERT_TRUE(WaitUntil([&] { return finished; }));
    EXPECT_TRUE(success);
    EXPECT_GT(std::filesystem::file_size(file), 1000u);
}
