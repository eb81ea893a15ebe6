#include "platform/pluginpreload.h"

#include <QFile>
#include <QLibraryInfo>

#include <algorithm>
#include <dlfcn.h>

namespace kv {

QStringList PluginsToPreload(const QString& pluginDir, const QByteArray& qpaPlatform,
                             const QByteArray& imModule) {
    if (pluginDir.isEmpty()) return {};
    // "xcb:option=value" carries options after the name.
    QByteArray platform = qpaPlatform.split(';').value(0).split(':').value(0).trimmed();
    if (platform.isEmpty()) platform = "xcb";
    // On Wayland two plugins answer to the name; which one Qt takes is its choice.
    if (platform != "xcb") return {};
    QStringList files{pluginDir + QStringLiteral("/platforms/libqxcb.so")};
    const QByteArray im = imModule.isEmpty() ? QByteArray("compose") : imModule;
    // Only a plain word can be part of a file name.
    const bool plain = std::all_of(im.begin(), im.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
    if (plain)
        files << pluginDir +
                     QStringLiteral("/platforminputcontexts/lib%1platforminputcontextplugin.so")
                         .arg(QString::fromLatin1(im));
    return files;
}

PluginPreload::PluginPreload() {
    std::vector<QByteArray> paths;
    for (const QString& f : PluginsToPreload(QLibraryInfo::path(QLibraryInfo::PluginsPath),
                                             qgetenv("QT_QPA_PLATFORM"), qgetenv("QT_IM_MODULE")))
        paths.push_back(QFile::encodeName(f));
    handles_.resize(paths.size(), nullptr);
    // Opened as Qt opens plugins (lazy binding, its own symbols), so that Qt's own
    // opening of the same file takes this one.
    worker_ = std::thread([this, paths = std::move(paths)] {
        for (std::size_t i = 0; i < paths.size(); ++i)
            handles_[i] = ::dlopen(paths[i].constData(), RTLD_LAZY | RTLD_LOCAL);
    });
}

PluginPreload::~PluginPreload() {
    if (worker_.joinable()) worker_.join();
    for (void* h : handles_)
        if (h) ::dlclose(h);
}

} // namespace kv
