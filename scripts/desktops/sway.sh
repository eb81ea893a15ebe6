# A Wayland desktop: headless sway (one 1920x1080 output, software rendering, no
# input devices) with its XWayland, a private session bus, PipeWire, and the desktop
# portal with the wlroots backend (screenshots through grim, colour picking through
# slurp). Windows float, without borders, so a window's place in `swaymsg -t
# get_tree` is exactly its pixels. sway will not run as root: a root caller gets the
# whole desktop, and the command, under the account kolvane-test.
if [ "$(id -u)" -eq 0 ]; then
  rerun_as_user kolvane-test "$@"
fi

start_session_bus

# A desktop file that sources this one may give other outputs: how many, and their
# modes, places and scales as sway configuration lines.
sway_outputs="${sway_outputs:-1}"
sway_output_conf="${sway_output_conf:-output HEADLESS-1 mode 1920x1080 position 0 0 scale 1 bg #203040 solid_color}"
printf '%s\n' "$sway_output_conf" >"$rt/sway.conf"
cat >>"$rt/sway.conf" <<'CONF'
default_border none
default_floating_border none
for_window [app_id=".*"] floating enable
for_window [class=".*"] floating enable
focus_follows_mouse no
xwayland enable
CONF

export XDG_SESSION_TYPE=wayland
export XDG_CURRENT_DESKTOP=sway
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS="$sway_outputs" \
  sway --config "$rt/sway.conf" >"$rt/sway.log" 2>&1 &
pids+=($!)
for _ in $(seq 250); do
  SWAYSOCK=$(ls "$rt"/sway-ipc.*.sock 2>/dev/null | head -n1)
  sock=$(cd "$rt" && ls wayland-? 2>/dev/null | head -n1)
  if [ -n "$SWAYSOCK" ] && [ -n "$sock" ] && swaymsg -s "$SWAYSOCK" -t get_outputs >/dev/null 2>&1; then
    break
  fi
  sleep 0.02
done
if [ -z "$SWAYSOCK" ] || [ -z "$sock" ]; then
  echo "sway did not start" >&2
  cat "$rt/sway.log" >&2
  exit 1
fi
export SWAYSOCK WAYLAND_DISPLAY="$sock"
# sway picks the X display for its XWayland; ask one of its children.
swaymsg exec "echo \$DISPLAY > $rt/xdisplay" >/dev/null
for _ in $(seq 100); do
  [ -s "$rt/xdisplay" ] && break
  sleep 0.02
done
DISPLAY=$(cat "$rt/xdisplay" 2>/dev/null)
export DISPLAY

pipewire >"$rt/pipewire.log" 2>&1 &
pids+=($!)
# The portal's backend gives up at once when PipeWire is not there yet.
for _ in $(seq 250); do
  [ -S "$rt/pipewire-0" ] && break
  sleep 0.02
done

# Newer portals choose their backend by portals.conf, older ones by the backend's
# UseIn and XDG_CURRENT_DESKTOP; both say wlr.
export XDG_CONFIG_HOME="$HOME/.config"
mkdir -p "$XDG_CONFIG_HOME/xdg-desktop-portal"
printf '[preferred]\ndefault=wlr\n' >"$XDG_CONFIG_HOME/xdg-desktop-portal/portals.conf"
/usr/libexec/xdg-desktop-portal-wlr -l WARN >"$rt/portal-wlr.log" 2>&1 &
pids+=($!)
# This portal offers screenshots only beside an access-dialog backend, which the
# GTK backend provides.
/usr/libexec/xdg-desktop-portal-gtk >"$rt/portal-gtk.log" 2>&1 &
pids+=($!)
wait_bus_name org.freedesktop.impl.portal.desktop.wlr || { cat "$rt/portal-wlr.log" >&2; exit 1; }
wait_bus_name org.freedesktop.impl.portal.desktop.gtk || { cat "$rt/portal-gtk.log" >&2; exit 1; }
/usr/libexec/xdg-desktop-portal -r >"$rt/portal.log" 2>&1 &
pids+=($!)
wait_bus_name org.freedesktop.portal.Desktop || { cat "$rt/portal.log" >&2; exit 1; }

start_pulse
wait_pulse
