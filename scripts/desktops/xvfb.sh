# The default test desktop: one 1920x1080 screen.
start_session_bus
start_xvfb -screen 0 1920x1080x24
start_pulse
start_openbox
start_trayer
wait_pulse
