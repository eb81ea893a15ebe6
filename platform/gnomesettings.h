#pragma once

namespace kv {

// Whether GNOME Shell animates its windows: the desktop's "enable-animations"
// interface setting, read through GSettings each time (the user may change it at
// any moment). True where it cannot be read, which is the setting's default.
// GNOME Shell also leaves animations out on its own where it renders in software
// or is remotely controlled; no program can tell that from outside.
bool gnomeAnimatesWindows();

} // namespace kv
