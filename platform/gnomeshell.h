#pragma once

#include <QDBusConnection>

namespace kv {

// Whether GNOME Shell animates windows now, as the shell itself says
// (org.gnome.Shell.Introspect's AnimationsEnabled). Its answer counts more than the
// desktop's setting does: the shell also leaves animations out where it renders in
// software or is controlled remotely. True where the shell does not answer: a wait
// costs a moment, a picture with Kolvane's fading window in it costs the picture.
bool gnomeShellAnimates(QDBusConnection bus);

} // namespace kv
