# A HiDPI desktop: one 3840x2160 screen whose X resources say Xft.dpi 192, as GNOME,
# KDE and Xfce set them for a monitor at scale 2.
start_session_bus
start_xvfb -screen 0 3840x2160x24
start_pulse
start_openbox
start_trayer
wait_pulse
# After the window manager: the resources live as long as a client holds the server.
echo 'Xft.dpi: 192' | xrdb -nocpp -merge
