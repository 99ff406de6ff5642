#!/usr/bin/env bash
# atspi_names_test.sh PROGRAM: starts the window on a private display with a
# D-Bus session and the AT-SPI bus, then reads its names with pyatspi
# (atspi_names_check.py). Exit 77 (skipped) where the tools or the buses are
# not there.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }
# The system interpreter: python3-pyatspi installs for it, not for others on PATH.
python=/usr/bin/python3
for tool in Xvfb dbus-run-session $python; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
launcher=/usr/libexec/at-spi-bus-launcher
[[ -x $launcher ]] || skip "at-spi2-core is not installed"
$python -c "import pyatspi" 2>/dev/null || skip "python3-pyatspi is not installed"

work=$(mktemp -d /tmp/quendrel-atspi.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Everything below runs inside a D-Bus session of its own, which ends (and
# takes the buses with it) when the inner script does.
dbus-run-session -- bash -s "$program" "$here" "$work" "$launcher" "$python" <<'INNER'
set -uo pipefail
program=$1 here=$2 work=$3 launcher=$4 python=$5
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
display=":$(head -1 "$work/display")"
export DISPLAY=$display

"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_RUNTIME_DIR=$work LC_ALL=C LANG=C LANGUAGE=
"$program" >"$work/window.log" 2>&1 &
pids+=($!)
"$python" "$here/atspi_names_check.py"
INNER
exit $?
