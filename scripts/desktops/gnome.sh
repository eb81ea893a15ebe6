# A GNOME desktop: headless gnome-shell (Mutter) with one virtual 1920x1080 monitor,
# rendering in software, no X server; a private session bus and a private system
# bus (the shell dies at start without one), the permission store, and the desktop
# portal with GNOME's backend. Input comes from Mutter's remote desktop (our
# driver tests/desktops/gnome/tools/kv_mutter_input). Settings live in a key file
# under the temporary home: no hot corner, no notification banners.
#
# The permission to take screenshots, which GNOME asks the user for once, is
# granted here as a user would have granted it; a test of the first use removes it.

start_session_bus

# A second bus as the system bus: nothing on it but the shell's own lookups.
sed -e 's|<type>session</type>|<type>system</type>|' -e "s|$rt/bus|$rt/system-bus|" \
  "$rt/session-bus.conf" >"$rt/system-bus.conf"
dbus-daemon --config-file="$rt/system-bus.conf" --nofork --nopidfile >"$rt/system-dbus.log" 2>&1 &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$rt/system-bus"
for _ in $(seq 100); do
  [ -S "$rt/system-bus" ] && break
  sleep 0.02
done

export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings" "$XDG_CONFIG_HOME/xdg-desktop-portal" \
  "$XDG_DATA_HOME" "$HOME/Pictures"
export GSETTINGS_BACKEND=keyfile
cat >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<'KEYS'
[org/gnome/desktop/interface]
enable-hot-corners=false

[org/gnome/desktop/notifications]
show-banners=false

[org/gnome/desktop/background]
picture-options='none'
primary-color='#203040'
color-shading-type='solid'
KEYS

export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome
unset DISPLAY WAYLAND_DISPLAY
# GDK_BACKEND is for the clients only: set in the shell's own environment it held
# its start up for more than a minute.
env -u GDK_BACKEND gnome-shell --headless --wayland --no-x11 --wayland-display=wayland-gnome \
  --virtual-monitor 1920x1080 >"$rt/gnome-shell.log" 2>&1 &
pids+=($!)
# Ready once it says so: its name on the bus comes seconds earlier, and a
# screenshot asked for in between waits for the start to end.
wait_gnome() {
  for _ in $(seq 1500); do
    grep -q 'GNOME Shell started' "$rt/gnome-shell.log" 2>/dev/null && [ -S "$rt/wayland-gnome" ] && return 0
    sleep 0.04
  done
  return 1
}
if ! wait_gnome; then
  echo "gnome-shell did not start" >&2
  cat "$rt/gnome-shell.log" >&2
  exit 1
fi
export WAYLAND_DISPLAY=wayland-gnome
wait_bus_name org.gnome.Mutter.RemoteDesktop || exit 1

/usr/libexec/xdg-permission-store >"$rt/permission-store.log" 2>&1 &
pids+=($!)
wait_bus_name org.freedesktop.impl.portal.PermissionStore || exit 1
gnome_screenshot_permission() { # yes | no | "" (unknown)
  if [ -z "$1" ]; then
    gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
      --object-path /org/freedesktop/impl/portal/PermissionStore \
      --method org.freedesktop.impl.portal.PermissionStore.DeletePermission \
      screenshot screenshot '' >/dev/null 2>&1
  else
    gdbus call --session --dest org.freedesktop.impl.portal.PermissionStore \
      --object-path /org/freedesktop/impl/portal/PermissionStore \
      --method org.freedesktop.impl.portal.PermissionStore.SetPermission \
      screenshot true screenshot '' "['$1']" >/dev/null
  fi
}
gnome_screenshot_permission yes

printf '[preferred]\ndefault=gnome\n' >"$XDG_CONFIG_HOME/xdg-desktop-portal/portals.conf"
/usr/libexec/xdg-desktop-portal-gnome >"$rt/portal-gnome.log" 2>&1 &
pids+=($!)
wait_bus_name org.freedesktop.impl.portal.desktop.gnome || { cat "$rt/portal-gnome.log" >&2; exit 1; }
/usr/libexec/xdg-desktop-portal -r >"$rt/portal.log" 2>&1 &
pids+=($!)
wait_bus_name org.freedesktop.portal.Desktop || { cat "$rt/portal.log" >&2; exit 1; }

# The shell starts in the overview; Escape leaves it.
gnome_input="$here/../${KOLVANE_BUILD_DIR:-build}/tests/desktops/gnome/tools/kv_mutter_input"
case "${KOLVANE_BUILD_DIR:-}" in /*) gnome_input="$KOLVANE_BUILD_DIR/tests/desktops/gnome/tools/kv_mutter_input" ;; esac
if [ -x "$gnome_input" ]; then
  "$gnome_input" key 0xff1b sleep 300 || echo "with-desktop: the overview could not be left" >&2
else
  echo "with-desktop: no $gnome_input; the shell stays in its overview" >&2
fi
export GDK_BACKEND=wayland
