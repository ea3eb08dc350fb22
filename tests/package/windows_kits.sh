#!/bin/bash
# The MinGW-w64 kits of dist/ as a user meets them: each is unpacked into an empty folder
# and, with nothing but the kit and the cross compiler, builds the classic examples it ships
# (as C and as C++, with pkg-config, and one with the command line its README.txt gives)
# and the consumer example with find_package. The 64-bit programs then play under Wine on
# the in-memory display; the 32-bit ones are built and linked only (running them needs
# 32-bit Wine). Run it inside scripts/with-wine, which gives Wine a display and a folder.
# Usage: tests/package/windows_kits.sh
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
libraries=$(sed -n 's/^set(BGIGRAPH_LIBRARIES \(.*\))$/\1/p' "$source/CMakeLists.txt")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$source/tests/package/checks.sh"

for arch in x86_64 i686; do
  triplet=$arch-w64-mingw32
  zip=$source/dist/bgigraph-$version-windows-$arch.zip
  [ -f "$zip" ] || fail "$zip is missing; run make package first"
  mkdir "$work/$arch"
  (cd "$work/$arch" && cmake -E tar xf "$zip")
  kit=$work/$arch/bgigraph-$version-windows-$arch
  for name in $libraries; do
    [ -f "$kit/lib/libbgigraph_$name.a" ] || fail "the $arch kit lacks lib/libbgigraph_$name.a"
  done
  for file in include/bgigraph/graphics.h lib/pkgconfig/bgigraph.pc \
    lib/cmake/BgiGraph/BgiGraphConfig.cmake fonts/TRIP.CHR examples/classic/menu.c README.txt; do
    [ -f "$kit/$file" ] || fail "the $arch kit lacks $file"
  done
  export PKG_CONFIG_LIBDIR=$kit/lib/pkgconfig
  [ "$(pkg-config --modversion bgigraph)" = "$version" ] || fail "the $arch kit's bgigraph.pc is not version $version"

  # The classic examples, as C and as C++, with the flags of the kit's bgigraph.pc.
  flags=$(pkg-config --cflags --libs bgigraph)
  bin=$work/$arch/bin
  mkdir -p "$bin/c" "$bin/c++"
  for example in "$kit"/examples/classic/*.c; do
    name=$(basename "$example" .c)
    # shellcheck disable=SC2086  # the flags are words
    step "$triplet-gcc $name.c (pkg-config)" "$triplet-gcc-posix" -o "$bin/c/$name.exe" "$example" $flags
    # shellcheck disable=SC2086
    step "$triplet-g++ $name.c (pkg-config)" "$triplet-g++-posix" -x c++ -o "$bin/c++/$name.exe" \
      "$example" $flags
  done
  # The command line README.txt gives, as it is written there.
  line=$(grep -m1 "^  $triplet-gcc prog.c -IKIT" "$kit/README.txt" | tr -d '\r') ||
    fail "the $arch kit's README.txt gives no command line for $triplet-gcc"
  line=${line//KIT/$kit}
  line=${line/prog.c/$kit/examples/classic/pages.c}
  line=${line/prog.exe/$bin/readme_pages.exe}
  line=${line/$triplet-gcc /$triplet-gcc-posix }
  step "README.txt's command line" bash -c "$line"
  ok "$arch kit: unpacked alone, the classic examples build as C and C++ with pkg-config and with README.txt's line"

  step "configure the consumer with find_package ($arch)" cmake -S "$kit/examples/consumer" \
    -B "$work/$arch/cmake" -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="$arch" \
    -DCMAKE_C_COMPILER="$triplet-gcc-posix" -DCMAKE_CXX_COMPILER="$triplet-g++-posix" \
    -DCMAKE_PREFIX_PATH="$kit"
  step "build the consumer with find_package ($arch)" cmake --build "$work/$arch/cmake" -j 2
  # The C++ runtime is inside the programs, however they were built: they need no DLL of the
  # compiler's.
  if "$triplet-objdump" -p "$bin/readme_pages.exe" "$bin/c++/menu.exe" "$work/$arch/cmake/package_check.exe" |
    grep -iE 'DLL Name: (libstdc|libgcc|libwinpthread)'; then
    fail "the $arch programs need the compiler's runtime DLLs"
  fi
  ok "$arch kit: find_package(BgiGraph) builds the consumer example; no program needs the compiler's DLLs"
  unset PKG_CONFIG_LIBDIR

  [ $arch = x86_64 ] || continue
  for program in package_check classic_check; do
    step "$program.exe under Wine" env GRAPHWIN_BACKEND=headless timeout 120 wine \
      "$work/$arch/cmake/$program.exe"
  done
  for language in c c++; do
    step "play the classic examples built with the kit as $language under Wine" \
      env SUFFIX=.exe bash "$source/tests/examples/classic_examples.sh" "$bin/$language" wine
  done
  ok "$arch kit: its programs run under Wine"
done
# Without the cross compiler, make package says what is missing in one line and fails
# before it touches the kit.
mkdir "$work/no-compiler"
ln -s "$(command -v sed)" "$(command -v dirname)" "$work/no-compiler/"
zip=$source/dist/bgigraph-$version-windows-i686.zip
before=$(stat -c %Y "$zip")
if PATH=$work/no-compiler /bin/bash "$source/scripts/package/windows-kit" i686 >"$work/out" 2>&1; then
  fail "the kit was made without a cross compiler: $(cat "$work/out")"
fi
[ "$(wc -l <"$work/out")" -eq 1 ] && grep -q "i686-w64-mingw32-g++-posix is missing; install g++-mingw-w64-i686-posix" "$work/out" ||
  fail "without the cross compiler it said: $(cat "$work/out")"
[ "$(stat -c %Y "$zip")" = "$before" ] || fail "without the cross compiler the kit was touched"
ok "without the cross compiler: one line naming it, and no kit"
echo "$passed passed, 0 failed"
