#!/usr/bin/env bash
# Installs what is missing, checks the formatting of the sources, builds a
# Debug build with AddressSanitizer and UBSan and runs every test with ctest.
# Exits non-zero on any failure, on a source file that does not follow
# .clang-format, on a test name that is not a stable, readable identifier,
# and when the tests left qyr7 or fuzz entries in the temporary directory
# they were given.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts_common.sh
qyr7_install_missing
export LC_ALL=C QT_QPA_PLATFORM=offscreen

# Every C++ file of src, tests, bench and fuzz follows .clang-format, as the
# clang-format version the tree was formatted with writes it: other major
# versions place some constructs differently, so with one of them the check is
# named and left out. It runs before the long build, so a fault shows at once.
want=$(sed -n 's/^# clang-format major version: *\([0-9][0-9]*\) *$/\1/p' .clang-format)
if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed: the formatting of the sources cannot be checked."
  exit 1
fi
have=$(clang-format --version | sed -n 's/.*clang-format version \([0-9][0-9]*\)\..*/\1/p')
if [ -z "$want" ] || [ -z "$have" ]; then
  echo "The clang-format version to check with (the '# clang-format major version:' line of .clang-format) or the installed one ($(clang-format --version)) cannot be read."
  exit 1
fi
if [ "$have" != "$want" ]; then
  echo "clang-format $have is installed, the sources were formatted with clang-format $want: their formatting is not checked."
else
  fmt=0
  out=$(find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
    xargs -0 -n 40 -P "$(nproc)" clang-format --dry-run -Werror 2>&1) || fmt=$?
  if [ $fmt -ne 0 ]; then
    files=$(printf '%s\n' "$out" | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
    if [ -n "$files" ]; then
      echo "These files do not follow .clang-format (clang-format -i FILE formats one):"
      printf '%s\n' "$files" | sed 's/^/  /'
    else
      printf '%s\n' "$out"
      echo "clang-format could not check the formatting of the sources."
    fi
    exit 1
  fi
fi

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
