# Two monitors as RandR monitors on one wide Xvfb screen (3200x1080): a 1280x1024
# monitor at 0,0 and the 1920x1080 primary to its right at 1280,0.
# The monitors are set before the window manager starts, so that it reads them when
# it starts and places windows on the primary; start_xvfb's -noreset keeps them
# while no client is connected (the server forgets monitors when it resets).
start_session_bus
start_xvfb -screen 0 3200x1080x24
start_pulse
xrandr --setmonitor '*KV-RIGHT' 1920/508x1080/286+1280+0 screen >/dev/null
xrandr --setmonitor KV-LEFT 1280/338x1024/271+0+0 none >/dev/null
start_openbox
start_trayer
wait_pulse
