#!/bin/sh
# Start-up benchmark: time from starting arkive to its main window being
# mapped, against a bare Qt widget measured in the same run (interleaved
# runs, medians), under a private X server. Goal: ratio at most 1.3. Then
# the same against the bare widget with one label.
# Usage: bench/startup/run.sh BUILD_DIR [RUNS]
set -eu
build=$(cd "${1:?usage: run.sh BUILD_DIR [RUNS]}" && pwd)
runs=${2:-21}
cmake --build "$build" --target startupbench barewidget labelwidget arkive >/dev/null
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
for baseline in barewidget labelwidget; do
  xvfb-run -a -s "-screen 0 480x640x24 -nolisten tcp -noreset" \
    "$build/bench/startup/startupbench" "$runs" "$build/bench/window/$baseline" "$build/arkive/arkive"
done

