# Shared by the set-up scripts: installing what is missing, building.

root_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build_dir=${MONITOREO_BUILD_DIR:-$root_dir/build}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_packages pkg...: installs through apt-get the packages that are missing.
install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_packages=(build-essential cmake ninja-build ccache qt6-base-dev libqt6sql6-sqlite libsqlite3-dev
                libqt6sql6-psql libpq-dev libsodium-dev pkg-config mdbtools-dev qt6-translations-l10n
                qt6-qpa-plugins libgl-dev fonts-dejavu-core
                xvfb xauth)

# What the tests of the installation and the Debian package use besides the build: the
# menu entry's validator, an XML checker for the icon, dpkg-shlibdeps for the Depends and
# `file`, by which CPack finds the files to give it, poppler's tools that read printed
# and exported PDF files back, and Python, mdbtools and Node, by which the tests write the
# old system's Jet files and read them back (the npm package mdb-reader, where npm is at
# hand; its check is skipped elsewhere).
test_packages=(desktop-file-utils libxml2-utils dpkg-dev file poppler-utils python3 mdbtools
               nodejs)

# configure_and_build [cmake options...]
configure_and_build() {
  cmake -S "$root_dir" -B "$build_dir" -G Ninja "$@"
  cmake --build "$build_dir" --parallel "$(nproc)"
}
