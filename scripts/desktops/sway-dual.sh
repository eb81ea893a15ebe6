# The Wayland desktop of sway.sh with two outputs side by side, of different sizes
# (1920x1080 and 1280x720, tops aligned, so the layout has a gap below the second),
# for the region editor's one window per output.
sway_outputs=2
sway_output_conf='output HEADLESS-1 mode 1920x1080 position 0 0 scale 1 bg #203040 solid_color
output HEADLESS-2 mode 1280x720 position 1920 0 scale 1 bg #402030 solid_color'
# shellcheck source=sway.sh
source "$here/desktops/sway.sh"
