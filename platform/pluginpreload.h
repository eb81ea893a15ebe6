#pragma once
// Qt's X11 platform plugin (and the input-method plugin it loads next) is opened on
// a worker thread from the start of the program. Loading it and the dozen libraries
// it pulls in is a few milliseconds of the toolkit's start; done ahead, while the
// main thread waits for the display's answers about the desktop scale, the
// toolkit finds it loaded.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <thread>
#include <vector>

namespace kv {

// The plugin files Qt is about to load, under its plugin folder `pluginDir`, for
// the platform list `qpaPlatform` (QT_QPA_PLATFORM, "xcb" when empty; the first
// entry of a list such as "wayland;xcb" is tried first; only X11 is preloaded) and
// the input method `imModule` (QT_IM_MODULE; "compose" when none is named).
QStringList PluginsToPreload(const QString& pluginDir, const QByteArray& qpaPlatform,
                             const QByteArray& imModule);

class PluginPreload {
public:
    // Opens the plugins the environment asks for as it stands now.
    PluginPreload();
    ~PluginPreload(); // waits for the worker and drops its own references

    PluginPreload(const PluginPreload&) = delete;
    PluginPreload& operator=(const PluginPreload&) = delete;

private:
    std::vector<void*> handles_;
    std::thread worker_;
};

} // namespace kv
