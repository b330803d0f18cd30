# Shared by the scripts: install what is missing, then build.
root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

install_packages() {
  local wanted missing=()
  wanted=$(grep -v '^#' "$root_dir/scripts/packages" | grep -v '^$')
  for pkg in $wanted; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing Debian packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# build <dir> <build type> [cmake options...]
build() {
  local dir=$1 type=$2
  shift 2
  cmake -S "$root_dir" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)"
}
