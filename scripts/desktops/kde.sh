# A KDE Plasma desktop's compositor: headless KWin (its virtual backend, one
# 1920x1080 output, software OpenGL), no X server, no Plasma shell; a private session
# and system bus, and the desktop portal with KDE's backend. Input comes from KWin's
# fake input protocol (our driver tests/desktops/kde/tools/kv_kwin_input), which KWin
# offers to any client here: its permission checks are off. The built program
# gets KWin's own screenshot interface, as the installed one does.
#
# The packaged kwin_wayland carries a file capability (cap_sys_resource) that this
# kind of sandbox refuses to grant ("Operation not permitted"); a copy of the
# program carries none and runs the same.

start_session_bus
sed -e 's|<type>session</type>|<type>system</type>|' -e "s|$rt/bus|$rt/system-bus|" \
  "$rt/session-bus.conf" >"$rt/system-bus.conf"
dbus-daemon --config-file="$rt/system-bus.conf" --nofork --nopidfile >"$rt/system-dbus.log" 2>&1 &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$rt/system-bus"

export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
# The portal saves its screenshots in the user's Pictures folder, and fails without it.
mkdir -p "$XDG_CONFIG_HOME/xdg-desktop-portal" "$XDG_DATA_HOME" "$HOME/Pictures"
export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
unset DISPLAY WAYLAND_DISPLAY
# KWin's own screenshot interface answers programs whose desktop entry declares it
# and names them by full path, as Kolvane's installed entry does: the same for the
# built program, its benchmark and the test that reads it here.
kde_build="$here/../${KOLVANE_BUILD_DIR:-build}"
case "${KOLVANE_BUILD_DIR:-}" in /*) kde_build="$KOLVANE_BUILD_DIR" ;; esac
mkdir -p "$XDG_DATA_HOME/applications"
for exe in "$kde_build/kolvane" "$kde_build/bench/kde/bench_kde_editor" "$kde_build/tests/kde_test_kde_capture"; do
  [ -x "$exe" ] || continue
  printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nNoDisplay=true\nX-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2\n' \
    "$(basename "$exe")" "$(readlink -f "$exe")" >"$XDG_DATA_HOME/applications/kolvane-test-$(basename "$exe").desktop"
done
cp /usr/bin/kwin_wayland "$rt/kwin_wayland"
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 "$rt/kwin_wayland" --virtual --width 1920 --height 1080 \
  --socket wayland-kde --no-lockscreen --no-global-shortcuts --no-kactivities \
  >"$rt/kwin.log" 2>&1 &
pids+=($!)
for _ in $(seq 500); do
  [ -S "$rt/wayland-kde" ] && break
  sleep 0.02
done
if [ ! -S "$rt/wayland-kde" ] || ! wait_bus_name org.kde.KWin; then
  echo "kwin_wayland did not start" >&2
  cat "$rt/kwin.log" >&2
  exit 1
fi
export WAYLAND_DISPLAY=wayland-kde

printf '[preferred]\ndefault=kde\n' >"$XDG_CONFIG_HOME/xdg-desktop-portal/portals.conf"
portal_kde=$(ls /usr/lib/*/libexec/xdg-desktop-portal-kde /usr/libexec/xdg-desktop-portal-kde 2>/dev/null | head -n1)
QT_QPA_PLATFORM=wayland "$portal_kde" >"$rt/portal-kde.log" 2>&1 &
pids+=($!)
wait_bus_name org.freedesktop.impl.portal.desktop.kde || { cat "$rt/portal-kde.log" >&2; exit 1; }
/usr/libexec/xdg-desktop-portal -r >"$rt/portal.log" 2>&1 &
pids+=($!)
wait_bus_name org.freedesktop.portal.Desktop || { cat "$rt/portal.log" >&2; exit 1; }
