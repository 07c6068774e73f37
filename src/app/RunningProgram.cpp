#include "app/RunningProgram.h"

#include <QDBusMessage>

namespace {

constexpr int kHandOverMilliseconds = 5000;

}  // namespace

RunningProgram::RunningProgram(const QDBusConnection& bus, QObject* parent) : QObject(parent), bus_(bus) {}

RunningProgram::~RunningProgram()
{
    if (!registered_)
        return;
    bus_.unregisterService(kServiceName);
    bus_.unregisterObject(kObjectPath);
}

bool RunningProgram::Register()
{
    if (!bus_.isConnected() || !bus_.registerObject(kObjectPath, this, QDBusConnection::ExportAllSlots))
        return false;
    if (!bus_.registerService(kServiceName)) {
        bus_.unregisterObject(kObjectPath);
        return false;
    }
    registered_ = true;
    return true;
}

bool RunningProgram::HandOver(const QDBusConnection& bus, const QString& file)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kServiceName, kObjectPath,
                                                       QStringLiteral("org.tarnwick.Tarnwick.Desktop"),
                                                       QStringLiteral("OpenFile"));
    call.setArguments({file});
    // No .service file starts a program for the name: an unowned name is an error at once.
    call.setAutoStartService(false);
    return bus.call(call, QDBus::Block, kHandOverMilliseconds).type() == QDBusMessage::ReplyMessage;
}

void RunningProgram::OpenFile(const QString& file)
{
    Q_EMIT fileHandedOver(file);
}
