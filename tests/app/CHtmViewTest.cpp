#include "app/CHtmView.h"
#include "document/CTarnwickDoc.h"
#include "support/PageServer.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QClipboard>
#include <QPrinter>

#include <filesystem>
#include <functional>
#include <memory>

namespace {

constexpr char kPageA[] = "<html><head><title>A</title></head><body>"
                          "<p>Quotes for IBM</p><a id='next' href='b.htm' target='_blank'>B</a></body></html>";
constexpr char kPageB[] = "<html><head><title>B</title></head><body><p>Page B</p></body></html>";

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
    PageServer server;
    server.Serve("/b.htm", kPageB);
    const QString pageB = QString::fromStdString(server.base() + "/b.htm");
    EXPECT_EQ(NextPage([&] { view_->Navigate(PageA()); }), PageAUrl());
    EXPECT_EQ(NextPage([&] { view_->Navigate(pageB); }), pageB);
    view_->Navigate(QString());
    EXPECT_EQ(NextPage([&] { view_->GoBack(); }), PageAUrl());
    EXPECT_EQ(NextPage([&] { view_->GoForward(); }), pageB);
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

namespace {

// A PNG of one white pixel.
std::string OnePixelPng()
{
    return QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4//8/AAX+Av4N70a4AAAAAElFTkSuQmCC")
        .toStdString();
}

}  // namespace

TEST_F(CHtmViewTest, LocalPagesShowTheirRemoteFramesAndImages)
{
    PageServer server;
    // Each frame tells the frameset it arrived; a frame from another site can do no more.
    for (const char* name : {"upper", "lower"})
        server.Serve(std::string("/") + name + ".htm",
                     std::string("<html><body><p>") + name + "</p><script>parent.postMessage('" + name +
                         "', '*')</script></body></html>");
    server.Handle("/chart.png", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(OnePixelPng(), "image/png");
    });
    folder_.Write("htmframes.htm",
                  "<html><head><title>frames</title><script>"
                  "window.addEventListener('message', e => { document.title += ' ' + e.data; });"
                  "</script></head><frameset rows='*,*'><frame name='Oben' src='" + server.base() + "/upper.htm'>"
                  "<frame name='Unten' src='" + server.base() + "/lower.htm'></frameset></html>");
    folder_.Write("htmcharts.htm", "<html><head><title>charts</title></head><body><img src='" + server.base() +
                                       "/chart.png' onload=\"document.title = 'image ' + this.naturalWidth\">"
                                       "</body></html>");

    view_->Navigate(QString::fromStdString((folder_.path() / "htmframes.htm").string()));
    EXPECT_TRUE(WaitUntil([&] { return view_->title().contains("upper") && view_->title().contains("lower"); }))
        << view_->title().toStdString();
    view_->Navigate(QString::fromStdString((folder_.path() / "htmcharts.htm").string()));
    EXPECT_TRUE(WaitUntil([&] { return view_->title() == "image 1"; })) << view_->title().toStdString();
    const std::vector<std::string> seen = server.targets();
    for (const char* target : {"/upper.htm", "/lower.htm", "/chart.png"})
        EXPECT_NE(std::find(seen.begin(), seen.end(), target), seen.end()) << target;
}

TEST_F(CHtmViewTest, AScriptInALocalPageReadsNoOtherLocalFile)
{
    const TempFolder elsewhere;
    const std::string secret = "account 12345";
    elsewhere.Write("secret.txt", secret);
    folder_.Write("neighbour.htm", "<html><body>" + secret + "</body></html>");
    const std::string secretUrl = QUrl::fromLocalFile(QString::fromStdString((elsewhere.path() / "secret.txt").string()))
                                      .toString()
                                      .toStdString();
    // Every way a page's script could read a file; each reports what it got.
    // The neighbour is named as the page's frames name the pages beside them.
    folder_.Write("htmcut.htm",
                  "<html><head><title>reading</title></head><body><iframe id='f' src='" + secretUrl + "'></iframe>"
                  "<iframe id='g' src='neighbour.htm'></iframe><script>\n"
                  "const results = {};\n"
                  "function report(way, text) { results[way] = text; if (Object.keys(results).length == 6)"
                  " document.title = 'done ' + JSON.stringify(results); }\n"
                  "function frameText(id) { try { return document.getElementById(id).contentDocument.body.innerText; }"
                  " catch (e) { return 'blocked'; } }\n"
                  "const xhr = new XMLHttpRequest();\n"
                  "xhr.onload = () => report('xhr', xhr.responseText); xhr.onerror = () => report('xhr', 'blocked');\n"
                  "try { xhr.open('GET', '" + secretUrl + "'); xhr.send(); } catch (e) { report('xhr', 'blocked'); }\n"
                  "fetch('" + secretUrl + "').then(r => r.text()).then(t => report('fetch', t),"
                  " () => report('fetch', 'blocked'));\n"
                  "fetch('neighbour.htm').then(r => r.text()).then(t => report('neighbour', t),"
                  " () => report('neighbour', 'blocked'));\n"
                  // A shared worker's loads pass no request interceptor.
                  "try { const worker = new SharedWorker(URL.createObjectURL(new Blob([\"onconnect = e => fetch('" +
                      secretUrl + "').then(r => r.text()).then(t => e.ports[0].postMessage(t),"
                  " () => e.ports[0].postMessage('blocked'))\"])));\n"
                  "  worker.port.onmessage = e => report('worker', e.data); worker.onerror = () => report('worker', 'blocked');"
                  " worker.port.start(); } catch (e) { report('worker', 'blocked'); }\n"
                  "window.onload = () => { report('iframe', frameText('f')); report('frame', frameText('g')); };\n"
                  "</script></body></html>");
    const QString page = QString::fromStdString((folder_.path() / "htmcut.htm").string());

    // As a page anywhere, and as a page of the page folder, which may show the pages beside it.
    for (const bool pageFolder : {false, true}) {
        SCOPED_TRACE(pageFolder ? "page of the page folder" : "local page");
        if (pageFolder)
            view_->SetPageFolder([this] { return folder_.path(); });
        EXPECT_EQ(NextPage([&] { view_->Navigate(page); }), QUrl::fromLocalFile(page).toString());
        ASSERT_TRUE(WaitUntil([&] { return view_->title().startsWith("done"); })) << view_->title().toStdString();
        EXPECT_FALSE(view_->title().contains(QString::fromStdString(secret))) << view_->title().toStdString();
        // Waits for the load to end, not only for the title: a late end of
        // this load would otherwise pass for the next page's.
        ASSERT_EQ(NextPage([&] { view_->Navigate(PageA()); }), PageAUrl());
    }
}
