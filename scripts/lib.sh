# Shared by the scripts: install what is missing, then build.
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# How many compilers and tests run at once: LUMARO_JOBS when set, else one per processor.
jobs=${LUMARO_JOBS:-$(nproc)}

# install_packages <list>...: installs the Debian packages of scripts/packages/<list> (run,
# test, fuzz, bench, package, demo) that are not installed yet.
install_packages() {
  local list wanted="" missing=()
  for list in "$@"; do
    wanted+=" $(grep -v '^#' "$root_dir/scripts/packages/$list" | grep -v '^$')"
  done
  for pkg in $(printf '%s\n' $wanted | sort -u); do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# has_display: whether a window can be shown (a display, or Qt told to draw off screen).
has_display() {
  [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${QT_QPA_PLATFORM:-}" = offscreen ]
}

# build <dir> <build type> [cmake options...]
build() {
  local dir=$1 type=$2
  shift 2
  cmake -S "$root_dir" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}
