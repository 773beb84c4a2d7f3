#!/usr/bin/env bash
# Builds the C libraries the browser build links (libjpeg-turbo, zlib, libxlsxwriter, SQLite)
# with Debian's emscripten, from Debian's own source packages of the versions the native build
# uses, into BUILD/deps/prefix. Does nothing when that prefix already holds those versions.
#   bash web/build-deps.sh BUILD
set -euo pipefail
build=$(realpath -m "${1:?usage: build-deps.sh BUILD}")
deps=$build/deps
prefix=$deps/prefix
# emscripten's optimiser loads acorn from Debian's node modules.
export NODE_PATH=/usr/share/nodejs

# Source package and version of each -dev package the native build links.
sources=()
for dev in zlib1g-dev libjpeg62-turbo-dev libxlsxwriter-dev libsqlite3-dev; do
    sources+=("$(dpkg-query -W -f='${source:Package}=${source:Version}' "$dev")") \
        || { echo "build-deps: $dev is not installed (run scripts/setup.sh)" >&2; exit 1; }
done
# The versions and this script's own text: a changed flag builds them again.
built="${sources[*]} $(sha256sum "$0" | cut -c1-16)"
stamp=$prefix/.versions
if [[ -f $stamp && "$(cat "$stamp")" == "$built" ]]; then
    exit 0
fi
rm -rf "$deps"
mkdir -p "$deps/apt/sources.list.d" "$deps/apt/lists/partial" "$deps/src" "$prefix"

# A deb-src list of its own, made from the system's Debian sources, so that the system's
# package lists stay as they are.
for list in /etc/apt/sources.list.d/*.sources; do
    [[ -e $list ]] || continue
    awk -v RS= -v ORS='\n\n' '/debian-archive-keyring/' "$list" | sed 's/^Types: deb$/Types: deb-src/' \
        >"$deps/apt/sources.list.d/$(basename "$list")"
done
if [[ -f /etc/apt/sources.list ]]; then
    sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list >"$deps/apt/sources.list.d/system.list"
fi
apt_options=(-o APT::Sandbox::User=root -o Dir::Etc::SourceParts="$deps/apt/sources.list.d" -o Dir::Etc::SourceList=/dev/null
    -o Dir::State::Lists="$deps/apt/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
apt-get -qq "${apt_options[@]}" update
(cd "$deps/src" && apt-get -qq "${apt_options[@]}" source "${sources[@]}" >/dev/null)
src_of() { find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -1; }

cmake_options=(-G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_FLAGS="-O2")
# Quiet unless a step fails, then its whole output.
run() {
    local log=$deps/$1.log
    shift
    "$@" >"$log" 2>&1 || { cat "$log" >&2; echo "build-deps: failed: $*" >&2; exit 1; }
}

# The amalgamation is built as Debian's own build makes it; its pkg-config file by hand.
sqlite_pc() {
    local version
    version=$(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' "$prefix/include/sqlite3.h")
    mkdir -p "$prefix/lib/pkgconfig"
    printf '%s\n' "prefix=$prefix" 'libdir=${prefix}/lib' 'includedir=${prefix}/include' 'Name: SQLite' \
        'Description: SQL database engine' "Version: $version" 'Libs: -L${libdir} -lsqlite3' \
        'Cflags: -I${includedir}' >"$prefix/lib/pkgconfig/sqlite3.pc"
}

zlib=$(src_of zlib)
run zlib-configure bash -c "cd '$zlib' && emconfigure ./configure --static --prefix='$prefix'"
run zlib-build bash -c "cd '$zlib' && emmake make -j2 libz.a && emmake make install"

# Under emcmake the size checks run as wasm and read wrong (SIZEOF_SIZE_T 9): give the sizes.
# Without its hand-written SIMD (x86 and Arm only), the decoder's C loops vectorised to wasm
# SIMD decode a sheet about twice as fast; the integer arithmetic gives the same pixels.
jpeg=$(src_of libjpeg-turbo)
run jpeg-configure emcmake cmake -S "$jpeg" -B "$deps/build/jpeg" "${cmake_options[@]}" -DCMAKE_C_FLAGS="-O3 -msimd128" \
    -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -DSIZE_T=4 -DUNSIGNED_LONG=4
run jpeg-build cmake --build "$deps/build/jpeg" --target install

sqlite=$(src_of sqlite3)
run sqlite-configure bash -c "cd '$sqlite' && mkdir -p '$deps/build/sqlite' && cd '$deps/build/sqlite' \
    && '$sqlite/configure' --disable-tcl --disable-readline --disable-shared >/dev/null && make sqlite3.c"
run sqlite-build emcc -O2 -DSQLITE_THREADSAFE=0 -DSQLITE_OMIT_LOAD_EXTENSION -c \
    "$deps/build/sqlite/sqlite3.c" -o "$deps/build/sqlite/sqlite3.o"
run sqlite-archive emar rcs "$prefix/lib/libsqlite3.a" "$deps/build/sqlite/sqlite3.o"
install -m 644 "$deps/build/sqlite/sqlite3.h" "$prefix/include/"
sqlite_pc

xlsx=$(src_of libxlsxwriter)
run xlsx-configure emcmake cmake -S "$xlsx" -B "$deps/build/xlsx" "${cmake_options[@]}" \
    -DBUILD_SHARED_LIBS=OFF -DUSE_SYSTEM_MINIZIP=OFF -DZLIB_ROOT="$prefix" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
    -DZLIB_INCLUDE_DIR="$prefix/include"
run xlsx-build cmake --build "$deps/build/xlsx" --target install

echo "$built" >"$stamp"
echo "build-deps: ${sources[*]} in $prefix"
