#!/usr/bin/env bash
# Builds the libFuzzer programs with clang and runs one of them on its corpus.
# usage: fuzz/run-fuzzer.sh <name> [libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
name=${1:?fuzz target name}; shift
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQYR7_SANITIZE=ON -DQYR7_FUZZ=ON -DQYR7_WITH_QT=OFF -DQYR7_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "fuzz_$name"
mkdir -p "build-fuzz/corpus-$name"
exec "build-fuzz/fuzz/fuzz_$name" "build-fuzz/corpus-$name" "fuzz/corpus/$name" "$@"
