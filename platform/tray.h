#pragma once

#include <QIcon>
#include <QString>
#include <memory>

class QSystemTrayIcon;

namespace kv {

// One icon in the desktop's notification area (system tray). It has no menu and
// ignores clicks; it is there only so that the program stays visible while its
// windows are hidden.
class TrayIcon {
public:
    TrayIcon();
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows the icon read from iconPath (as a 16 x 16 picture) with the tip. A
    // missing or unreadable file still shows an entry, without a picture. Showing
    // it again replaces picture and tip: there is never more than one icon.
    void show(const QString& iconPath, const QString& tip);
    void hide();
    bool isShown() const;
    // The icon the entry shows now (an empty, transparent one when none was read).
    QIcon icon() const;
    QString tip() const;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
};

// The 16 x 16 picture of an icon file: the 16 x 16 image when the file holds one,
// otherwise its largest image scaled down; a null icon when nothing can be read.
QIcon loadSmallIcon(const QString& path);

} // namespace kv
