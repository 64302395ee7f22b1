#!/usr/bin/env bash
# Installs what is missing, builds a Release build and runs the program:
# the GUI when a display is there, otherwise (or with --batch) the batch run.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
qyr7_install_missing
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQYR7_BUILD_TESTS=OFF -DQYR7_BUILD_BENCH=OFF >/dev/null
cmake --build build --target wqyr7 -j"$(nproc)"
batch=0
if [ "${1:-}" = "--batch" ]; then batch=1; shift; fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then batch=1; fi
if [ $batch -eq 1 ]; then
  if [ -f examples/default.qy7 ]; then
    # The batch run writes the report as the project's name + ".txt" into
    # the current directory (Windows-1252 text); run it in the build tree and
    # print the report.
    mkdir -p build/batch
    (cd build/batch && ../wqyr7 ../../examples/default.qy7 /I /NOGUI "$@")
    iconv -f WINDOWS-1252 -t UTF-8 build/batch/default.txt 2>/dev/null || cat build/batch/default.txt
    exit 0
  fi
  exec ./build/wqyr7 /NOGUI "$@"
fi
exec ./build/wqyr7 "$@"
