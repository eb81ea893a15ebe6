#!/usr/bin/env bash
# Runs a command inside a private virtual desktop. KOLVANE_DESKTOP picks which one
# (a file in scripts/desktops/; "xvfb" when unset: a session bus, Xvfb
# 1920x1080x24, openbox, a trayer system tray and a PulseAudio server with a null
# sink). Everything lives in a temporary runtime folder and is stopped when the
# command ends, so several runs can share one machine.
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
desktop="${KOLVANE_DESKTOP:-xvfb}"
if [ ! -f "$here/desktops/$desktop.sh" ]; then
  echo "unknown desktop '$desktop' (have: $(cd "$here/desktops" && ls *.sh | sed 's/\.sh$//' | tr '\n' ' '))" >&2
  exit 2
fi

rt=$(mktemp -d /tmp/kolvane-desktop.XXXXXX)
chmod 700 "$rt"
pids=()
cleanup() {
  for ((i=${#pids[@]}-1; i>=0; i--)); do kill "${pids[i]}" 2>/dev/null; done
  sleep 0.2
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done
  rm -rf "$rt"
}
trap cleanup EXIT INT TERM

export XDG_RUNTIME_DIR="$rt"
export HOME="${KOLVANE_TEST_HOME:-$rt/home}"
mkdir -p "$HOME"

# Starts an X server (any command taking -displayfd: Xvfb or Xorg) on a free
# display number and exports DISPLAY.
start_x_server() {
  # An X desktop, also when started from a Wayland session.
  unset WAYLAND_DISPLAY
  export XDG_SESSION_TYPE=x11
  exec 5<> "$rt/displayfd"
  "$@" -displayfd 5 >"$rt/xserver.log" 2>&1 &
  pids+=($!)
  local num=""
  for _ in $(seq 200); do
    num=$(head -n1 "$rt/displayfd" 2>/dev/null | tr -dc 0-9)
    [ -n "$num" ] && break
    sleep 0.05
  done
  if [ -z "$num" ]; then echo "X server did not start" >&2; cat "$rt/xserver.log" >&2; exit 1; fi
  export DISPLAY=":$num"
}

# Without -noreset the server resets whenever its last client leaves: the probe
# that waits for the window manager could be that client, and a window manager
# connecting during the reset failed to open the display (about 1 start in 12).
start_xvfb() { # screen arguments, e.g. -screen 0 1920x1080x24
  start_x_server Xvfb "$@" -noreset -nolisten tcp -ac +extension MIT-SHM
}

# Xorg with a configuration kept in the repository (the dummy video driver, no real
# devices), run as an ordinary, not setuid, server with its log in the runtime folder.
start_xorg() { # the xorg.conf
  start_x_server /usr/lib/xorg/Xorg -config "$1" \
    -logfile "$rt/xorg.log" -noreset -nolisten tcp -ac -novtswitch -sharevts
}

# Window manager; returns once it has announced itself on the root window.
start_openbox() {
  openbox --sm-disable >"$rt/openbox.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    sleep 0.05
  done
  # Tests that need a window manager would fail in puzzling ways; say why.
  echo "with-desktop: openbox did not start: $(cat "$rt/openbox.log")" >&2
}

start_trayer() {
  trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
    >"$rt/trayer.log" 2>&1 &
  pids+=($!)
}

# Sound server with a null sink whose monitor the tone tests record.
start_pulse() {
  export PULSE_SERVER="unix:$rt/pulse.sock"
  export PULSE_RUNTIME_PATH="$rt/pulse"
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=false \
    --disallow-exit --log-target=file:"$rt/pulse.log" \
    --load="module-null-sink sink_name=kolvane_null" \
    --load="module-native-protocol-unix socket=$rt/pulse.sock auth-anonymous=1" \
    >/dev/null 2>&1 &
  pids+=($!)
}

wait_pulse() {
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.05
  done
  pactl set-default-sink kolvane_null >/dev/null 2>&1 || true
}

# A private D-Bus session bus that starts nothing on demand (no service folders),
# so a test sees exactly the services the desktop started. Exports
# DBUS_SESSION_BUS_ADDRESS. Every desktop has one, as every real session does:
# without an address, each Qt program's accessibility bridge has libdbus fork to
# launch a bus, a cost no user pays that weighs more on a larger process (it
# moved Kolvane's start against the smallest Qt window by about 0.05).
start_session_bus() {
  cat >"$rt/session-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$rt/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  dbus-daemon --config-file="$rt/session-bus.conf" --nofork --nopidfile >"$rt/dbus.log" 2>&1 &
  pids+=($!)
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$rt/bus"
  for _ in $(seq 100); do
    [ -S "$rt/bus" ] && break
    sleep 0.02
  done
}

# Waits until a name has an owner on the session bus; fails after about 5 s.
wait_bus_name() {
  for _ in $(seq 250); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true' && return 0
    sleep 0.02
  done
  echo "no owner of $1 on the session bus" >&2
  return 1
}

# Runs this whole script again, with the same command, under the unprivileged
# account $1 (created once, without a password or login shell), and exits with its
# status. For desktops whose servers refuse to run as root. The account must reach
# the checkout: missing traverse rights on the folders above it are granted, and
# the build folder's test and capture folders become writable for it.
rerun_as_user() {
  local user="$1"; shift
  if ! id -u "$user" >/dev/null 2>&1; then
    useradd --system --user-group --create-home --home-dir "/var/lib/$user" \
      --shell /usr/sbin/nologin "$user" || exit 1
  fi
  local d="$PWD"
  while [ "$d" != / ]; do
    if ! runuser -u "$user" -- test -x "$d" 2>/dev/null; then
      echo "with-desktop: letting $user pass through $d" >&2
      chmod o+x "$d"
    fi
    d=$(dirname "$d")
  done
  local build="$PWD/${KOLVANE_BUILD_DIR:-build}"
  if [ -d "$build" ]; then
    mkdir -p "$build/Testing" "$build/用户图片"
    chown -R "$user" "$build/Testing" "$build/用户图片"
  fi
  local keep=(PATH="$PATH" LANG="${LANG:-C.UTF-8}" KOLVANE_DESKTOP="$desktop")
  while IFS='=' read -r name _; do
    case "$name" in KOLVANE_*|CI|CTEST_*|QT_*|CCACHE_*) keep+=("$name=${!name}") ;; esac
  done < <(env)
  runuser -u "$user" -- env -i "${keep[@]}" bash "$here/with-desktop.sh" "$@"
  exit $?
}

# The desktop file starts its servers with the functions above.
# shellcheck source=/dev/null
source "$here/desktops/$desktop.sh"

export KOLVANE_DESKTOP="$desktop"
export KOLVANE_DESKTOP_RUNTIME="$rt"
"$@"
