# Two monitors as Xinerama heads (Xorg's dummy driver, scripts/desktops/xorg-dual.conf):
# a 1920x1080 primary at 0,0 and a 1280x1024 monitor at 1920,0, so the heights differ.
start_session_bus
start_xorg "$here/desktops/xorg-dual.conf"
start_pulse
start_openbox
start_trayer
wait_pulse
