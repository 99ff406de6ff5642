#!/usr/bin/env bash
# atspi_names_test.sh PROGRAM [SIMULATOR LAN_SCRIPT]: starts the window on a
# private display with a D-Bus session and the AT-SPI bus, and reads its names
# with pyatspi (atspi_names_check.py). Given the simulator and scripts/lan, and
# run as root, it does so inside a simulated LAN with one device, presses the
# search button over AT-SPI and reads the count line and the device's row too.
# Exit 77 (skipped) where the tools or the buses are not there.
set -uo pipefail
program=$1
simulator=${2:-}
lan=${3:-}
here=$(cd "$(dirname "$0")" && pwd)

skip() { echo "SKIP: $*"; exit 77; }
# The system interpreter: python3-pyatspi installs for it, not for others on PATH.
python=/usr/bin/python3
for tool in Xvfb dbus-run-session $python; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "at-spi2-core is not installed"
$python -c "import pyatspi" 2>/dev/null || skip "python3-pyatspi is not installed"

work=$(mktemp -d /tmp/quendrel-atspi.XXXXXX)
trap 'rm -rf "$work"' EXIT
session=(dbus-run-session -- bash "$here/atspi_session.sh" "$program" "$python" "$here/atspi_names_check.py" "$work")

if [[ -z "$simulator" || -z "$lan" || $(id -u) -ne 0 ]]; then
  "${session[@]}"
  exit $?
fi

"$lan" run --hosts 1 -- true >/dev/null 2>&1 || skip "no simulated LAN can be built here"

# One device on host h1 (10.77.1.2); the window, its display and its buses all
# in the PC's namespace, where the search's broadcast stays.
cat >"$work/devices.json" <<'JSON'
[{"model":"KV-2100","proj":"Orvane","name":"Front door","ip":"10.77.1.2","trigger_port":"80",
  "netmask":"255.255.255.0","gateway":"10.77.1.254","dns":"10.77.1.253",
  "mac":"00:1A:07:00:00:01","dev":"eth0","note":"atspi"}]
JSON
export simulator work
"$lan" run --hosts 1 -- bash -c '
  "$0" exec "$LAN_NAME" h1 -- "$simulator" --devices "$work/devices.json" --log "$work/sim.log" 2>"$work/sim.err" &
  sim=$!
  for ((try = 0; try < 50; try++)); do
    grep -q "\"event\":\"ready\"" "$work/sim.log" 2>/dev/null && break
    sleep 0.1
  done
  grep -q "\"event\":\"ready\"" "$work/sim.log" 2>/dev/null || { echo "SKIP: the simulator did not start"; kill $sim; exit 77; }
  "$0" exec "$LAN_NAME" pc -- env QUENDREL_ATSPI_SEARCH="KV-2100 10.77.1.2" "${@}"
  rc=$?
  kill $sim 2>/dev/null; wait $sim 2>/dev/null
  exit $rc
' "$lan" "${session[@]}"
exit $?
