#!/usr/bin/env bash
# Runs a command inside a private virtual desktop: Xvfb (1920x1080x24), openbox,
# a trayer system tray and a PulseAudio server with a null sink. Everything lives
# in a temporary runtime folder and is stopped when the command ends, so several
# runs can share one machine.
set -uo pipefail

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

# X server: let it pick a free display number and tell us.
exec 5<> "$rt/displayfd"
Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp -ac +extension MIT-SHM >"$rt/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  num=$(head -n1 "$rt/displayfd" 2>/dev/null | tr -dc 0-9)
  [ -n "$num" ] && break
  sleep 0.05
done
if [ -z "${num:-}" ]; then echo "Xvfb did not start" >&2; cat "$rt/xvfb.log" >&2; exit 1; fi
export DISPLAY=":$num"

openbox --sm-disable >"$rt/openbox.log" 2>&1 &
pids+=($!)

# Sound server with a null sink whose monitor the tone tests record.
export PULSE_SERVER="unix:$rt/pulse.sock"
export PULSE_RUNTIME_PATH="$rt/pulse"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --system=false \
  --disallow-exit --log-target=file:"$rt/pulse.log" \
  --load="module-null-sink sink_name=kolvane_null" \
  --load="module-native-protocol-unix socket=$rt/pulse.sock auth-anonymous=1" \
  >/dev/null 2>&1 &
pids+=($!)

# Wait for the window manager before anyone maps a window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
  >"$rt/trayer.log" 2>&1 &
pids+=($!)

for _ in $(seq 100); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.05
done
pactl set-default-sink kolvane_null >/dev/null 2>&1 || true

export KOLVANE_DESKTOP_RUNTIME="$rt"
"$@"
