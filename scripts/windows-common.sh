# Shared by scripts/windows and scripts/test-windows: the tools, Qt for Windows and the cross build.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
WINBUILD="${KVPROG_WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/kvprog"
TOOLCHAIN="$ROOT/cmake/windows/mingw-toolchain.cmake"

# MinGW-w64 for the programs, NSIS for the installer, Wine to run them, and what builds Qt.
# libwine-dev gives the tablet headers that the "+dfsg" Qt source leaves out; icoutils makes the
# programs' icon and reads resources back.
PACKAGES+=(g++-mingw-w64-x86-64-posix nsis zip unzip wine wine64 fonts-wine
  libwine-dev perl dpkg-dev icoutils)

source "$ROOT/scripts/windows-qt.sh"

# The programs for Windows, and the window and core tests with them, in $WINBUILD.
build_windows_programs() {
  export KV_QT_WINDOWS="$QT_WINDOWS/prefix"
  if [ ! -f "$WINBUILD/build.ninja" ]; then
    mkdir -p "$WINBUILD"
    cmake -S "$ROOT" -B "$WINBUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_PREFIX_PATH="$KV_QT_WINDOWS" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      "${CONFIGURE_ARGS[@]}" > "$WINBUILD/configure.log" 2>&1 \
      || { tail -30 "$WINBUILD/configure.log" >&2; exit 1; }
  fi
  local targets=()
  (($#)) && targets=(--target "$@")
  cmake --build "$WINBUILD" --parallel 2 "${targets[@]}"
}

# The DLLs a Windows program of the build needs beside it: Qt's, its plugins, the MinGW
# runtime that Qt and the programs were built with, and Qt's own Chinese texts (Debian's, of
# the same Qt version) in translations\.
copy_windows_runtime() {
  local dest=$1 qt="$QT_WINDOWS/prefix"
  mkdir -p "$dest"
  cp "$qt"/bin/Qt6{Core,Gui,Widgets,PrintSupport}.dll "$dest/"
  for plugin in platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll \
    imageformats/qjpeg.dll imageformats/qico.dll; do
    [ -f "$qt/plugins/$plugin" ] || continue
    mkdir -p "$dest/$(dirname "$plugin")"
    cp "$qt/plugins/$plugin" "$dest/$plugin"
  done
  for dll in libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    cp "$(x86_64-w64-mingw32-g++-posix -print-file-name="$dll")" "$dest/"
  done
  mkdir -p "$dest/translations"
  cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$dest/translations/"
}

windows_version() { sed -n 's/^project(kvprog VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt"; }
