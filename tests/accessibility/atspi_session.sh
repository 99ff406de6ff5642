#!/usr/bin/env bash
# Runs inside a D-Bus session of its own: a private Xvfb display, the AT-SPI
# bus, the window, then the check. Everything it started ends with it.
# atspi_session.sh PROGRAM PYTHON CHECK WORKDIR
set -uo pipefail
program=$1 python=$2 check=$3 work=$4
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the file.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for ((try = 0; try < 50; try++)); do
  [[ -s "$work/display" ]] && break
  sleep 0.1
done
[[ -s "$work/display" ]] || { echo "SKIP: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -1 "$work/display")"

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_RUNTIME_DIR=$work LC_ALL=C LANG=C LANGUAGE=
"$program" >"$work/window.log" 2>&1 &
pids+=($!)
"$python" "$check"
