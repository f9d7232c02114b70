# Qt for Windows, built once from the qt6-base source of the host's Qt version and kept in
# the cache under a key made of this recipe; sourced by scripts/windows-common.sh.
# The Qt for Windows recipe: a change to any of these makes a new cache entry.
QT_CONFIGURE=(-release -shared -xplatform win32-g++ -qt-host-path /usr -nomake examples
  -nomake tests -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -no-opengl
  -no-dbus -no-icu -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent)

qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev; }

# What the key is made of: the host Qt's version (its tools build the target Qt), the configure
# options, the toolchain, the compiler and the revision of the steps below (raise it when they
# change what is built).
QT_RECIPE_REVISION=1
qt_cache_key() {
  { qt_version; echo "${QT_CONFIGURE[*]}"; cat "$TOOLCHAIN"; echo "$QT_RECIPE_REVISION"; \
    x86_64-w64-mingw32-g++-posix --version | head -1; } | sha256sum | cut -c1-16
}

# Fetches the qt6-base source of the host's Qt version through a private sources list and lists
# folder, so the system's apt configuration stays as it is.
fetch_qt_source() {
  local dir=$1 apt="$CACHE/apt"
  mkdir -p "$apt/lists/partial" "$dir"
  {
    [ -f /etc/apt/sources.list ] && sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" && echo
    done
  } > "$apt/kvprog.sources"
  local opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
  mkdir -p "$apt/parts" "$apt/cache"
  cp "$apt/kvprog.sources" "$apt/parts/kvprog.sources"
  apt-get "${opts[@]}" update -qq
  (cd "$dir" && apt-get "${opts[@]}" source -qq --download-only "qt6-base=$(qt_version)" \
    && dpkg-source -x --no-check qt6-base_*.dsc src > /dev/null)
}

# Sets QT_WINDOWS to the cached Qt for Windows, building it first when it is not there. A build
# cut short (the session ended) goes on where it stopped the next time.
build_windows_qt() {
  local key work="$CACHE/qt6-windows.work"
  key=$(qt_cache_key)
  QT_WINDOWS="$CACHE/qt6-windows-$key"
  if [ -f "$QT_WINDOWS/prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "Qt for Windows: $QT_WINDOWS (cached)"
    return
  fi
  echo "Building Qt for Windows once into $QT_WINDOWS (about 11 minutes on 2 idle cores)"
  if [ "$(cat "$work/key" 2> /dev/null)" != "$key" ] || [ ! -f "$work/build/build.ninja" ]; then
    rm -rf "$(readlink -f "$work")" "$work"
    mkdir -p "$work"
    fetch_qt_source "$work"
    # The Windows platform plugin includes the tablet headers; Wine's serve once the few
    # macros of Wine's own headers (and the calling convention the original headers name API)
    # are given.
    mkdir -p "$work/src/src/3rdparty/wintab"
    for h in wintab.h pktdef.h; do
      { echo '#ifndef API'
        echo '#define API WINAPI'
        echo '#endif'
        echo '#ifndef WINELIB_NAME_AW'
        echo '#define WINELIB_NAME_AW(func) func##W'
        echo '#endif'
        echo '#ifndef DECL_WINELIB_TYPE_AW'
        echo '#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;'
        echo '#endif'
        cat "$(find /usr/include/wine -name "$h" | head -1)"; } > "$work/src/src/3rdparty/wintab/$h"
    done
    mkdir -p "$work/build"
    (cd "$work/build" && KV_QT_WINDOWS= "$work/src/configure" -prefix "$QT_WINDOWS/prefix" \
      "${QT_CONFIGURE[@]}" -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
      -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake > "$work/configure.log" 2>&1) \
      || { tail -40 "$work/configure.log" >&2; exit 1; }
    echo "$key" > "$work/key"
  fi
  (cd "$work/build" && cmake --build . --parallel 2 > "$work/build.log" 2>&1 \
    && cmake --install . --prefix "$QT_WINDOWS/prefix" > "$work/install.log" 2>&1) \
    || { tail -40 "$work/build.log" >&2; exit 1; }
  rm -rf "$(readlink -f "$work")" "$work"
}
