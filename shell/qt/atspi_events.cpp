#include "shell/qt/atspi_events.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QWidget>

namespace qtshell {

namespace {

// The name under which Qt's bridge opens its connection to the bus.
const char* const kBridgeConnection = "a11y";
const char* const kObjectPathPrefix = "/org/a11y/atspi/accessible/";

// An object as AT-SPI names it: the connection's unique name and a path.
QVariant objectReference(const QDBusConnection& bus, const QString& path) {
    QDBusArgument reference;
    reference.beginStructure();
    reference << bus.baseService() << QDBusObjectPath(path);
    reference.endStructure();
    return QVariant::fromValue(reference);
}

} // namespace

void tellIndeterminateChanged(QWidget* widget, bool indeterminate) {
    QDBusConnection bus(QString::fromLatin1(kBridgeConnection));
    QAccessibleInterface* described = QAccessible::queryAccessibleInterface(widget);
    if (!bus.isConnected() || !described)
        return;
    const QString prefix = QString::fromLatin1(kObjectPathPrefix);
    const QString path = prefix + QString::number(QAccessible::uniqueId(described));
    QDBusMessage event = QDBusMessage::createSignal(
        path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("StateChanged"));
    event << QStringLiteral("indeterminate") << int(indeterminate) << 0
          << QVariant::fromValue(QDBusVariant(objectReference(bus, path)))
          << objectReference(bus, prefix + QStringLiteral("root"));
    bus.send(event);
}

} // namespace qtshell
