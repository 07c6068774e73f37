#include "app/AutomationServer.h"

#include "document/CTarnwickDoc.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>

#include <malloc.h>

#include <algorithm>
#include <vector>

namespace {

// A document holds its quote text buffers, about half a megabyte; a client
// that makes documents without end must not take the machine's memory.
constexpr std::ptrdiff_t kDocumentsPerClient = 100;

// Released documents leave their pages in the allocator's heap; a server
// that served a large client gives them back instead of keeping its peak.
void ReturnFreedMemory()
{
    malloc_trim(0);
}

}  // namespace

// One document as the bus sees it. Its interface has no methods and no
// properties; QtDBus leaves an empty interface out of the introspection data,
// so the data is written out here.
class AutomationDocument : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarnwick.Tarnwick.Document")
    Q_CLASSINFO("D-Bus Introspection", "  <interface name=\"org.tarnwick.Tarnwick.Document\"/>\n")

public:
    explicit AutomationDocument(const QString& owner) : owner(owner) {}

    const QString owner;  // the unique bus name of the client holding it
    CTarnwickDoc document;
};

AutomationServer::AutomationServer(const QDBusConnection& bus, std::chrono::milliseconds gracePeriod,
                                   QObject* parent)
    : QObject(parent), bus_(bus)
{
    graceTimer_.setSingleShot(true);
    graceTimer_.setInterval(gracePeriod);
    connect(&graceTimer_, &QTimer::timeout, this, &AutomationServer::Finished);

    clientWatcher_.setConnection(bus_);
    clientWatcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&clientWatcher_, &QDBusServiceWatcher::serviceUnregistered, this, &AutomationServer::OnClientGone);
}

AutomationServer::~AutomationServer() = default;

bool AutomationServer::Start(QString& error)
{
    if (!bus_.isConnected()) {
        error = QStringLiteral("no D-Bus session bus: %1").arg(bus_.lastError().message());
        return false;
    }
    if (!bus_.registerObject(kObjectPath, this, QDBusConnection::ExportAllSlots)) {
        error = QStringLiteral("cannot offer the object %1 on the D-Bus session bus").arg(kObjectPath);
        return false;
    }
    if (!bus_.registerService(kServiceName)) {
        bus_.unregisterObject(kObjectPath);
        error = QStringLiteral("the D-Bus service %1 is taken: another Tarnwick serves automation already")
                    .arg(kServiceName);
        return false;
    }
    graceTimer_.start();
    return true;
}

QDBusObjectPath AutomationServer::CreateDocument()
{
    const QString client = message().service();
    const auto held = std::ranges::count_if(documents_, [&](const auto& entry) { return entry.second->owner == client; });
    if (held >= kDocumentsPerClient) {
        sendErrorReply(QDBusError::LimitsExceeded,
                       QStringLiteral("a client may hold %1 documents at most: release one with ReleaseDocument first")
                           .arg(kDocumentsPerClient));
        return {};
    }
    const QString path = kDocumentPathPrefix + QString::number(++documentsMade_);
    auto document = std::make_unique<AutomationDocument>(client);
    bus_.registerObject(path, document.get(), QDBusConnection::ExportAllContents);
    documents_.emplace(path, std::move(document));
    graceTimer_.stop();

    clientWatcher_.addWatchedService(client);
    // A client that left before the watch was in place is never reported gone.
    const QDBusReply<bool> present = bus_.interface()->isServiceRegistered(client);
    if (present.isValid() && !present.value())
        QMetaObject::invokeMethod(this, [this, client] { OnClientGone(client); }, Qt::QueuedConnection);
    return QDBusObjectPath(path);
}

void AutomationServer::ReleaseDocument(const QDBusObjectPath& path)
{
    const auto found = documents_.find(path.path());
    if (found == documents_.end() || found->second->owner != message().service()) {
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("%1 is not a document of yours").arg(path.path()));
        return;
    }
    Release(path.path());
    ReturnFreedMemory();
}

void AutomationServer::OnClientGone(const QString& client)
{
    clientWatcher_.removeWatchedService(client);
    std::vector<QString> held;
    for (const auto& [path, document] : documents_)
        if (document->owner == client)
            held.push_back(path);
    for (const QString& path : held)
        Release(path);
    ReturnFreedMemory();
}

void AutomationServer::Release(const QString& path)
{
    bus_.unregisterObject(path);
    documents_.erase(path);
    if (documents_.empty())
        Q_EMIT Finished();
}

#include "AutomationServer.moc"
