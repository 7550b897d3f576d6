#include "shell/qt/platform_plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdlib>
#include <string_view>

namespace shell::qt {

namespace {

// Qt's folders of platform plugins: the one the user names first, then
// "platforms" under each library path, as Qt searches them.
QStringList platformPluginFolders() {
    QStringList folders;
    if (const char* named = std::getenv("QT_QPA_PLATFORM_PLUGIN_PATH"); named && *named)
        folders << QString::fromLocal8Bit(named);
    for (const QString& path : QCoreApplication::libraryPaths())
        folders << path + QStringLiteral("/platforms");
    return folders;
}

bool pluginHasKey(const QString& file, const QString& key) {
    const QJsonObject metaData = QPluginLoader(file).metaData();
    if (!metaData.value(QStringLiteral("IID")).toString().contains(QStringLiteral("QPA")))
        return false;
    const QJsonArray keys = metaData.value(QStringLiteral("MetaData"))
                                .toObject()
                                .value(QStringLiteral("Keys"))
                                .toArray();
    for (const auto& k : keys) {
        if (k.toString().compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

bool platformPluginInstalled(const std::string& platform) {
    const QString key = QString::fromStdString(platform);
    for (const QString& folder : platformPluginFolders()) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList(QDir::Files)) {
            if (pluginHasKey(dir.filePath(name), key))
                return true;
        }
    }
    return false;
}

std::string platformPluginPackage(const std::string& platform) {
    // Debian 12's Qt 6: where each of its platform plugins comes from.
    struct Origin {
        std::string_view platform;
        std::string_view package;
    };
    static constexpr std::array origins{
        Origin{"xcb", "libqt6gui6"},          Origin{"offscreen", "libqt6gui6"},
        Origin{"minimal", "libqt6gui6"},      Origin{"linuxfb", "libqt6gui6"},
        Origin{"vkkhrdisplay", "libqt6gui6"}, Origin{"vnc", "qt6-qpa-plugins"},
        Origin{"eglfs", "libqt6opengl6"},     Origin{"minimalegl", "libqt6opengl6"},
    };
    const std::string_view name(platform);
    // "wayland", "wayland-egl" and the other Wayland client integrations.
    if (name.starts_with("wayland"))
        return "qt6-wayland";
    for (const Origin& origin : origins) {
        if (origin.platform == name)
            return std::string(origin.package);
    }
    return "";
}

} // namespace shell::qt
