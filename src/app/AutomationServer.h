#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <map>
#include <memory>

class AutomationDocument;

// The program started for automation clients ("-Automation", "-Embedding"):
// it owns the name org.tarnwick.Tarnwick on the bus and makes documents for
// its clients, with no window. Each client holds the documents it created
// until it releases them or leaves the bus; when the last one is released, or
// when no client has come within the grace period, the work is done.
class AutomationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarnwick.Tarnwick.Application")

public:
    static inline const QString kServiceName = QStringLiteral("org.tarnwick.Tarnwick");
    static inline const QString kObjectPath = QStringLiteral("/Tarnwick");
    static inline const QString kDocumentPathPrefix = QStringLiteral("/Tarnwick/Documents/");

    explicit AutomationServer(const QDBusConnection& bus,
                              std::chrono::milliseconds gracePeriod = std::chrono::seconds(60),
                              QObject* parent = nullptr);
    ~AutomationServer() override;

    // Takes the service name and offers the application object. False, with
    // the reason in `error`, when there is no bus or another program owns the name.
    bool Start(QString& error);

public Q_SLOTS:
    // A new document held by the calling client; its object path.
    QDBusObjectPath CreateDocument();
    // Gives back a document the calling client created.
    void ReleaseDocument(const QDBusObjectPath& path);

Q_SIGNALS:
    // No client holds a document any more, or none came in time: the program may quit.
    void Finished();

private:
    void OnClientGone(const QString& client);
    void Release(const QString& path);

    QDBusConnection bus_;
    QTimer graceTimer_;
    QDBusServiceWatcher clientWatcher_;
    int documentsMade_ = 0;
    std::map<QString, std::unique_ptr<AutomationDocument>> documents_;  // by object path
};
