#!/usr/bin/env bash
# Builds the libraries the Windows game links, from Debian's own source packages at the versions
# Debian ships: SDL2, SDL2_image (its built-in decoders: PNG, JPEG, TGA, BMP, GIF), libogg,
# libvorbis, and for the tests googletest; stb_image_write from Debian's headers. All of them are
# static libraries (their licences allow it: zlib, BSD, BSD, BSD, public domain), installed
# into one prefix inside the cache folder, named after those versions, the compiler's and this
# script's, so a second run finds them there and builds nothing.
#
#   bash tools/windows/deps.sh        prints the prefix on its last line
#
# BRAWNMOOR_WIN_CACHE names the cache folder (/var/cache/brawnmoor-win by default).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/mingw-w64-x86_64.cmake
cache=${BRAWNMOOR_WIN_CACHE:-/var/cache/brawnmoor-win}
triple=x86_64-w64-mingw32
jobs=${BRAWNMOOR_JOBS:-$(nproc)}

# The versions: those of the host's own development packages, so both builds use the same code.
srcver() { dpkg-query -W -f='${source:Version}' "$1"; }
declare -A version=(
  [libsdl2]=$(srcver libsdl2-dev)
  [libsdl2-image]=$(srcver libsdl2-image-dev)
  [libogg]=$(srcver libogg-dev)
  [libvorbis]=$(srcver libvorbis-dev)
  [googletest]=$(srcver googletest)
  [libstb]=$(srcver libstb-dev)
)
gccver=$($triple-gcc-posix -dumpfullversion)
recipe=$(cat "$0" "$toolchain" | sha1sum | cut -c1-8)
key="sdl2-${version[libsdl2]}_image-${version[libsdl2-image]}_ogg-${version[libogg]}"
key+="_vorbis-${version[libvorbis]}_gtest-${version[googletest]}_stb-${version[libstb]}"
key+="_gcc-${gccver}_${recipe}"
key=${key//[^A-Za-z0-9._+-]/_}
prefix=$cache/$key

mkdir -p "$cache"
exec 8>"$prefix.lock"
flock 8
if [ -f "$prefix/.complete" ]; then
  echo "Windows libraries: cached in $prefix" >&2
  echo "$prefix"
  exit 0
fi

start=$(date +%s)
rm -rf "$prefix"
mkdir -p "$prefix"
work=$(mktemp -d "${TMPDIR:-/tmp}/brawnmoor-windeps.XXXXXX")
trap 'rm -rf "$work"' EXIT
export BRAWNMOOR_WIN_DEPS=$prefix

bash "$here/deb-src.sh" >&2

# Fetches and unpacks a source package (with Debian's patches); prints its folder.
unpack() {
  local pkg=$1 ver=${version[$1]}
  # apt checked the files against the archive's signed lists; dpkg-source has no key of its own
  # to check the signature again, which it says on standard error.
  (cd "$work" && apt-get source -qq -o APT::Sandbox::User=root --download-only "$pkg=$ver" >&2 &&
     dpkg-source -q -x "${pkg}_${ver#*:}.dsc" "$pkg-src" >"$pkg-unpack.log" 2>&1) ||
    { cat "$work/$pkg-unpack.log" >&2 2>/dev/null; return 1; }
  echo "$work/$pkg-src"
}

cmake_install() {  # source folder, then options
  local src=$1; shift
  local bld=$work/build-$(basename "$src")
  cmake -S "$src" -B "$bld" -G "Unix Makefiles" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DBRAWNMOOR_WIN_DEPS="$prefix" "$@" >"$bld.log" 2>&1 ||
    { tail -40 "$bld.log" >&2; return 1; }
  cmake --build "$bld" -j"$jobs" >>"$bld.log" 2>&1 || { tail -40 "$bld.log" >&2; return 1; }
  cmake --install "$bld" >>"$bld.log" 2>&1 || { tail -40 "$bld.log" >&2; return 1; }
}

step() { echo "Windows libraries: $*" >&2; }

step "libogg ${version[libogg]}"
cmake_install "$(unpack libogg)" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF

step "libvorbis ${version[libvorbis]}"
cmake_install "$(unpack libvorbis)" -DBUILD_TESTING=OFF

step "SDL2 ${version[libsdl2]}"
cmake_install "$(unpack libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  -DSDL_STATIC_PIC=OFF

step "SDL2_image ${version[libsdl2-image]}"
cmake_install "$(unpack libsdl2-image)" -DSDL2IMAGE_VENDORED=OFF -DSDL2IMAGE_DEPS_SHARED=OFF \
  -DSDL2IMAGE_SAMPLES=OFF -DSDL2IMAGE_TESTS=OFF -DSDL2IMAGE_BACKEND_STB=ON \
  -DSDL2IMAGE_BACKEND_WIC=OFF \
  -DSDL2IMAGE_PNG=ON -DSDL2IMAGE_JPG=ON -DSDL2IMAGE_TGA=ON -DSDL2IMAGE_BMP=ON -DSDL2IMAGE_GIF=ON \
  -DSDL2IMAGE_PNG_SAVE=ON -DSDL2IMAGE_JPG_SAVE=ON \
  -DSDL2IMAGE_AVIF=OFF -DSDL2IMAGE_JXL=OFF -DSDL2IMAGE_TIF=OFF -DSDL2IMAGE_WEBP=OFF \
  -DSDL2IMAGE_SVG=OFF -DSDL2IMAGE_QOI=OFF -DSDL2IMAGE_XCF=OFF -DSDL2IMAGE_XPM=OFF \
  -DSDL2IMAGE_XV=OFF -DSDL2IMAGE_LBM=OFF -DSDL2IMAGE_PCX=OFF -DSDL2IMAGE_PNM=OFF

# Its build makes a pkg-config file only for a shared library.
upstream=${version[libsdl2-image]#*:}
upstream=${upstream%%[+-]*}
cat >"$prefix/lib/pkgconfig/SDL2_image.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: SDL2_image
Description: image loading library for Simple DirectMedia Layer
Version: $upstream
Requires: sdl2
Libs: -L\${libdir} -lSDL2_image
Cflags: -I\${includedir}/SDL2
PC

step "googletest ${version[googletest]}"
cmake_install /usr/src/googletest -Dgtest_force_shared_crt=ON

step "stb_image_write ${version[libstb]}"
mkdir -p "$prefix/include/stb" "$prefix/lib/pkgconfig"
# stb_image_write writes screenshots; stb_image's header is compiled into the picture loader.
cp /usr/include/stb/stb_image_write.h /usr/include/stb/stb_image.h "$prefix/include/stb/"
printf '#define STB_IMAGE_WRITE_IMPLEMENTATION\n#include "stb_image_write.h"\n' >"$work/stb.c"
$triple-gcc-posix -O2 -c -I"$prefix/include/stb" "$work/stb.c" -o "$work/stb.o"
$triple-gcc-ar-posix rcs "$prefix/lib/libstb.a" "$work/stb.o"
cat >"$prefix/lib/pkgconfig/stb.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: stb
Description: stb_image_write for the Windows build
Version: ${version[libstb]}
Libs: -L\${libdir} -lstb
Cflags: -I\${includedir}
PC

# Only static libraries live here: what each library needs privately is needed by every
# program, so it moves into Libs and Requires. SDL's own entry point is not used (the programs
# have a plain main and SDL needs no start-up of its own on Windows), and the console or
# windows subsystem is each program's own choice.
for pc in "$prefix"/lib/pkgconfig/*.pc; do
  awk '
    /^Libs\.private:/ { sub(/^Libs\.private:/, ""); lp = lp " " $0; next }
    /^Requires\.private:/ { sub(/^Requires\.private:/, ""); rp = rp " " $0; next }
    { lines[n++] = $0 }
    END {
      for (i = 0; i < n; i++) {
        l = lines[i]
        if (l ~ /^Libs:/) l = l lp
        if (l ~ /^Requires:/) { l = l (rp != "" ? "," rp : ""); rp = "" }
        if (l ~ /^Cflags:/ && l ~ /-Dmain=SDL_main/) { gsub(/ -Dmain=SDL_main/, "", l); l = l " -DSDL_MAIN_HANDLED" }
        gsub(/ -lmingw32| -lSDL2main| -mwindows/, "", l)
        print l
      }
      if (rp != "") print "Requires:" rp
    }' "$pc" >"$pc.new"
  mv "$pc.new" "$pc"
done

touch "$prefix/.complete"
step "built in $(( $(date +%s) - start )) s into $prefix"
echo "$prefix"
