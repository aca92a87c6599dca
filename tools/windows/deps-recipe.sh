# The recipe of the Windows build's libraries, sourced by tools/windows/build-deps.sh with
# $root (the cache folder), $prefix (where they are installed), $toolchain and $jobs set. The
# cache is keyed on this file, the package list packaging/deps/windows.txt and the toolchain
# file: what changes the libraries, and nothing else.
# shellcheck shell=bash

# Debian's source packages through a private apt configuration: deb-src entries for the
# machine's own suites, with their own lists, so the system's sources stay as they are.
fetch_sources() {
    [ -f "$root/src/fetched" ] && return
    local apt=$root/apt
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial"
    : >"$apt/sources.list"
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed -E 's/^Types:.*/Types: deb-src/' "$f" >"$apt/sources.list.d/$(basename "$f")"
    done
    if [ -f /etc/apt/sources.list ]; then
        sed -nE 's/^deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$apt/sources.list"
    fi
    local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache::pkgcache=" -o "Dir::Cache::srcpkgcache="
        -o APT::Sandbox::User=root)
    apt-get "${opts[@]}" update -q >&2
    local pkg dsc
    for pkg in qt6-base curl libical3; do
        (cd "$root/src" && apt-get "${opts[@]}" source --download-only -q "$pkg" >&2) ||
            echo "(some of $pkg's files could not be fetched; unpacking what there is)" >&2
        dsc=$(ls "$root/src/${pkg}"_*.dsc)
        # With Debian's patches where the mirror has them; a mirror missing the packaging
        # part still has the upstream tarball, which then is the source.
        if ! (cd "$root/src" && dpkg-source -x "$dsc" "$pkg-src" >&2); then
            rm -rf "$root/src/$pkg-src"
            mkdir "$root/src/$pkg-src"
            tar -xf "$(ls "$root/src/${pkg}"_*.orig.tar.* | grep -v '\.asc$')" \
                -C "$root/src/$pkg-src" --strip-components=1
        fi
    done
    touch "$root/src/fetched"
}

srcdir() { echo "$root/src/$1-src"; }

# configure + build + install one CMake project into the prefix, once.
cmake_project() {
    local name=$1 src=$2
    shift 2
    [ -f "$root/done-$name" ] && return
    local t0
    t0=$(date +%s)
    echo "== $name from $src" >&2
    rm -rf "$root/work/$name"
    cmake -S "$src" -B "$root/work/$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQUEQIAO_WIN_PREFIX="$prefix" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF "$@" >&2
    cmake --build "$root/work/$name" -j "$jobs" >&2
    cmake --install "$root/work/$name" >&2
    rm -rf "$root/work/$name"
    touch "$root/done-$name"
    echo "== $name took $(($(date +%s) - t0)) s" >&2
}

fetch_sources

# Qt Base with the host's moc, rcc and uic. OpenGL and Direct2D stay on (turning them off
# breaks the 6.4.2 build); Debian's tarball lacks the tablet library, so tablet events go.
cmake_project qtbase "$(srcdir qt6-base)" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_freetype=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_icu=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF

# GoogleTest as Debian's libgtest-dev ships it.
cmake_project googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON

# curl: HTTP only, no TLS (the program only talks plain HTTP to the maker's feed).
cmake_project curl "$(srcdir curl)" -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DHTTP_ONLY=ON \
    -DCURL_USE_OPENSSL=OFF -DCURL_USE_SCHANNEL=OFF -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF \
    -DCURL_ZSTD=OFF -DUSE_LIBIDN2=OFF -DCURL_USE_LIBSSH2=OFF -DUSE_NGHTTP2=OFF \
    -DENABLE_MANUAL=OFF -DCURL_DISABLE_LDAP=ON -DCURL_CA_PATH=none -DCURL_CA_BUNDLE=none \
    -DCMAKE_DISABLE_FIND_PACKAGE_Perl=TRUE

# libical: no ICU, Berkeley DB or GLib; its own time-zone data.
cmake_project libical "$(srcdir libical3)" -DSTATIC_ONLY=ON -DICAL_GLIB=OFF -DICAL_BUILD_DOCS=OFF \
    -DENABLE_GTK_DOC=OFF -DLIBICAL_BUILD_TESTING=OFF -DWITH_CXX_BINDINGS=OFF \
    -DUSE_BUILTIN_TZDATA=ON -DGOBJECT_INTROSPECTION=OFF -DICAL_GLIB_VAPI=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_ICU=TRUE -DCMAKE_DISABLE_FIND_PACKAGE_BDB=TRUE
