# Shared by the scripts: installs what is missing, configures and builds.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${KVPROG_BUILD_DIR:-$ROOT/build}"
CONFIGURE_ARGS=()

# Fonts: Noto CJK for the Chinese text, DejaVu for Latin text (without a proportional Latin
# face the windows fall back to a monospaced one). Packaging tools: man pages, the .deb's
# library dependencies and the checks of its desktop entry and metainfo. Translations: lupdate
# and lrelease, and their CMake functions. Accessibility: the session bus, the accessibility
# bus and its Python client, a screen reader and real key presses for the window's tests.
PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
  qt6-l10n-tools qt6-tools-dev
  libgl-dev fonts-noto-cjk fonts-dejavu-core fonts-liberation2 xvfb xauth poppler-utils
  qt6-translations-l10n python3 help2man dpkg-dev file desktop-file-utils appstream
  dbus at-spi2-core python3-gi gir1.2-atspi-2.0 orca xdotool)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Builds the given targets, or everything. CONFIGURE_ARGS, when set, go to the first cmake.
build() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      "${CONFIGURE_ARGS[@]}"
  fi
  local targets=()
  (($#)) && targets=(--target "$@")
  cmake --build "$BUILD" --parallel 2 "${targets[@]}"
}
