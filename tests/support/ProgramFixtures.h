#pragma once

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CTarnwickApp.h"
#include "app/CommandLine.h"
#include "app/DocumentManager.h"
#include "app/FrameServices.h"
#include "document/CTarnwickDoc.h"
#include "support/SampleDocument.h"
#include "support/TempFolder.h"
#include "support/WidgetsApplication.h"

#include <gtest/gtest.h>

#include <QMdiArea>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <vector>

// The path of `folder` as the windows take it.
inline QString Folder(const TempFolder& folder)
{
    return QString::fromStdString(folder.path().string());
}

// A document window over the IBM sample inside a main window, as the window
// suites drive it. Every outside site is a closed port on this machine; the
// errors shown and the pages handed to the user's browser are kept.
class DocumentWindowTest : public BrowserTest {
protected:
    DocumentWindowTest()
    {
        for (const HostRoleInfo& role : kHostRoles)
            services.hosts.Set(role.role, "http://127.0.0.1:9");
        services.openInUserBrowser = [this](const QUrl& url) { opened.push_back(url); };
        services.showError = [this](const QString& message) { errors.push_back(message); };
        document.quoteDir = SampleDir("IBM");
        frame = std::make_unique<CChildFrame>(document, mainFrame, services);
    }

    FrameServices services;
    std::vector<QUrl> opened;
    QStringList errors;
    CTarnwickDoc document;
    CMainFrame mainFrame;
    std::unique_ptr<CChildFrame> frame;
};

// The whole program, started as a user starts it on the IBM sample without a
// hosts file, its settings in a folder of the test's own. The errors shown,
// the pages handed to the user's browser and the file choices asked for are
// kept; a file choice answers with the next of `answers`, or Cancel once they
// run out. A suite changes `commandLine` in its constructor to start otherwise,
// and clears `recordErrors` to see the program's own error boxes.
class ProgramTest : public BrowserTest {
protected:
    ProgramTest()
    {
        commandLine.quoteDir = SampleDir("IBM");
        commandLine.config = "/nonexistent/hosts.ini";
    }

    void SetUp() override
    {
        BrowserTest::SetUp();
        if (IsSkipped())
            return;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder(settingsFolder));
        if (recordErrors)
            app.services().showError = [this](const QString& message) { errors.push_back(message); };
        app.services().openInUserBrowser = [this](const QUrl& url) { opened.push_back(url); };
        QString error;
        ASSERT_TRUE(app.InitInstance(commandLine, error)) << error.toStdString();
        app.documents().chooseFile = [this](DocumentManager::FileChoice choice, const QString& suggestion) {
            choices.push_back(choice);
            suggestions.push_back(suggestion);
            return answers.empty() ? QString() : answers.takeFirst();
        };
        errors.clear();  // the missing hosts file
    }

    CChildFrame* Active() const { return qobject_cast<CChildFrame*>(app.mainFrame()->mdiArea()->activeSubWindow()); }

    CommandLine commandLine;
    bool recordErrors = true;
    TempFolder settingsFolder;
    CTarnwickApp app;
    QStringList answers;
    QStringList suggestions;
    std::vector<DocumentManager::FileChoice> choices;
    QStringList errors;
    std::vector<QUrl> opened;
};
