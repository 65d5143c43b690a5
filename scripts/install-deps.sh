#!/usr/bin/env bash
# Installs the Debian packages needed to build, test, benchmark and fuzz Oidwright, and to
# cross-build its command line for Windows and run that under Wine.
# Run as root on Debian 12; safe to run again (apt-get skips what is installed).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  dpkg-dev file desktop-file-utils shared-mime-info
  libicu-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libpugixml-dev smitools
  xvfb xauth fonts-dejavu-core
  libsnmp-dev snmp snmpd
  g++-mingw-w64-x86-64-posix googletest wine64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  # snmpd's package would start a system agent; the tests run their own, so services stay
  # down during the install (an existing policy is left as it is).
  policy=/usr/sbin/policy-rc.d
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | $sudo tee "$policy" >/dev/null
    $sudo chmod 755 "$policy"
    trap '$sudo rm -f "$policy"' EXIT
  fi
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
