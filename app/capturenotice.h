#pragma once

#include <QElapsedTimer>
#include <QString>

namespace kv {

// What a capture command's tip says while the desktop is about to ask the user
// whether programs may take screenshots (GNOME in a Wayland session, before anyone
// answered): what will be asked and why. The stored answer is read at most every
// two seconds, as the pointer moves over the commands.
class CaptureNotice {
public:
    // Empty when the desktop will not ask.
    QString text();

private:
    QElapsedTimer readAt_;
    QString text_;
};

} // namespace kv
