# Shared by run.sh and test.sh: makes sure the Debian packages the build needs
# are there. As root it installs what is missing; otherwise it prints the one
# command to run and stops.
QYR7_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format shapelib libshp-dev dbview python3-dbfread admesh occt-draw libocct-draw-dev libocct-data-exchange-dev python3-html5lib python3-ezdxf python3-shapely tidy hp2xx poppler-utils strace locales"

# How long to wait for another package manager (unattended upgrades, a second
# install in another terminal) to let go of its lock.
QYR7_LOCK_WAIT_SECONDS=${QYR7_LOCK_WAIT_SECONDS:-600}

# apt-get with its arguments; while another program holds the package
# manager's lock it waits (up to QYR7_LOCK_WAIT_SECONDS, saying so) instead of
# failing at once. dpkg's own lock is waited for by apt itself
# (DPkg::Lock::Timeout); the package lists' lock of "apt-get update" is not
# covered by that option on every apt version, hence the retry around it.
qyr7_apt_get() {
  local start=$SECONDS out rc
  while :; do
    local left=$((QYR7_LOCK_WAIT_SECONDS - (SECONDS - start)))
    [ $left -lt 0 ] && left=0
    rc=0
    out=$(apt-get -o DPkg::Lock::Timeout="$left" "$@" 2>&1) || rc=$?
    if [ $rc -eq 0 ]; then
      [ -n "$out" ] && printf '%s\n' "$out"
      return 0
    fi
    if ! printf '%s\n' "$out" | grep -qiE 'could not get lock|unable to acquire|is held by|lock-frontend'; then
      printf '%s\n' "$out" >&2
      return $rc
    fi
    if [ $((SECONDS - start)) -ge "$QYR7_LOCK_WAIT_SECONDS" ]; then
      printf '%s\n' "$out" >&2
      echo "Another program still holds the package manager's lock after ${QYR7_LOCK_WAIT_SECONDS} s; run this again when it has finished." >&2
      return $rc
    fi
    echo "Another program holds the package manager's lock; waiting (at most ${QYR7_LOCK_WAIT_SECONDS} s) ..."
    sleep 5
  done
}

qyr7_install_missing() {
  local missing=()
  for p in $QYR7_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    qyr7_apt_get update -qq && qyr7_apt_get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Missing packages. Run:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
}
