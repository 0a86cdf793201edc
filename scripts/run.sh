#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ -x build/quillon/quillon ]; then
  exec build/quillon/quillon "$@"
fi
exec build/examples/almacor_now "$@"
