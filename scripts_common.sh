# Shared by run.sh and test.sh: makes sure the Debian packages the build needs
# are there. As root it installs what is missing; otherwise it prints the one
# command to run and stops.
QYR7_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev shapelib libshp-dev dbview python3-dbfread"

qyr7_install_missing() {
  local missing=()
  for p in $QYR7_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "Missing packages. Run:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
}
