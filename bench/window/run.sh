#!/bin/sh
# Window benchmark: tally's window against a bare Qt widget of the same
# size, interleaved on a private X server: time to the window mapped, CPU
# by then, peak memory. Goals: at most 1.2 and 1.1. Then the same against
# the bare widget with one label: what text itself costs is left out.
# Usage: bench/window/run.sh BUILD_DIR [REPS]
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR [REPS]}" && pwd)
reps=${2:-21}
cmake --build "$build" --target windowbench barewidget labelwidget tally tally-window >/dev/null
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for baseline in barewidget labelwidget; do
  xvfb-run -a -s "-screen 0 480x640x24 -nolisten tcp -noreset" \
    "$build/bench/window/windowbench" "$reps" "$build/arkive/bin/tally" "$build/bench/window/$baseline"
done
