#!/usr/bin/env bash
# Installs what is missing, builds a Debug build with AddressSanitizer and
# UBSan and runs every test with ctest. Exits non-zero on any failure, on a
# test name that is not a stable, readable identifier, and when the tests left
# qyr7 or fuzz entries in the temporary directory they were given.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
qyr7_install_missing
export LC_ALL=C QT_QPA_PLATFORM=offscreen
# Every file format is judged by an independent tool; here a missing one fails
# its test instead of skipping it.
export QYR7_REQUIRE_VALIDATORS=1
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQYR7_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"

# Test names must be the same from run to run and readable in a log: letters,
# digits and _ . / - (<> : for typed suites) only, and parameterised cases named by a name generator
# rather than numbered.
names=$(ctest --test-dir build-asan -N | sed -n 's/^ *Test *#[0-9]*: //p')
bad_names=$(printf '%s\n' "$names" | grep -Ev '^[A-Za-z0-9_.:<>-]+(/[A-Za-z0-9_.:<>-]+)*$' || true)
numbered=$(printf '%s\n' "$names" | grep -E '/[0-9]+$' || true)
if [ -n "$bad_names$numbered" ]; then
  echo "Test names that are not stable, readable identifiers (give the suite a name generator):"
  printf '%s\n' "$bad_names" "$numbered" | sed '/^$/d; s/^/  /'
  exit 1
fi

# Tests clean up after themselves: the temporary directory the tests get,
# one of this run's own, must hold no qyr7 or fuzz entries afterwards. Other
# programs and test runs on the machine meanwhile use the system's one and
# are no concern of this check. Open to every user, as the system's one is:
# some tests run the program as another user. Its name is short: a few tests
# build command lines of a limited length from it.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/qXXX")
trap 'rm -rf "$tmp"' EXIT
chmod 1777 "$tmp"
leftovers() { find "$tmp" -mindepth 1 -maxdepth 1 \( -iname '*qyr7*' -o -iname '*fuzz*' \) -print 2>/dev/null | sort; }
status=0
TMPDIR=$tmp ctest --test-dir build-asan --output-on-failure -j"$(nproc)" --timeout 300 || status=$?
new=$(leftovers)
if [ -n "$new" ]; then
  echo "The tests left these entries in their temporary directory (removed with it):"
  printf '%s\n' "$new" | sed "s|^$tmp/|  |"
  [ $status -ne 0 ] || status=1
fi
exit $status
