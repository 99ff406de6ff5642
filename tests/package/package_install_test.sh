#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the package built from this tree, checks what a user would run
# first, and removes it again whatever happened.
set -Eeuo pipefail
source_dir=$1
build_dir=$2

if [[ $(id -u) -ne 0 ]]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' quendrel 2>/dev/null | grep -q "install ok installed"; then
  echo "SKIP: a quendrel package is installed already; not replacing it"
  exit 77
fi
fail() { echo "FAIL: $*" >&2; exit 1; }

deb=$("$source_dir/scripts/package" --build-dir "$build_dir" | grep '/quendrel_[^/]*\.deb$')
[[ -f "$deb" ]] || fail "no package was built"
trap 'apt-get purge -y -qq quendrel >/dev/null 2>&1 || true' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null \
  || fail "apt-get install $deb failed"

[[ -L /usr/bin/quendrel && -L /usr/bin/quendrel-cli ]] || fail "/usr/bin entries are not links"
/usr/bin/quendrel-cli --help | grep -q "^Usage: quendrel-cli" || fail "quendrel-cli --help"
/usr/bin/quendrel-cli interfaces >/dev/null || fail "quendrel-cli interfaces"
# The modules lie in /usr/lib/quendrel, not beside the link in /usr/bin.
module=$(LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 LANGUAGE= /usr/bin/quendrel-cli language)
[[ "$module" == /usr/lib/quendrel/quendrel.DEU ]] || fail "German locale chose '$module'"
english=$(LC_ALL=C LANG=C LANGUAGE= /usr/bin/quendrel-cli language)
[[ "$english" == "built-in English texts" ]] || fail "C locale chose '$english'"

apt-get purge -y -qq quendrel >/dev/null || fail "apt-get purge quendrel"
trap - EXIT
[[ ! -e /usr/bin/quendrel-cli ]] || fail "/usr/bin/quendrel-cli left after removal"
echo "PASS: $deb installs, runs through /usr/bin and goes again"
