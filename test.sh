#!/usr/bin/env bash
# Installs what is missing, builds a Debug build with AddressSanitizer and
# UBSan and runs every test with ctest. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
qyr7_install_missing
export LC_ALL=C QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQYR7_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" --timeout 300
