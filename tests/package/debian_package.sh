#!/bin/bash
# The Debian package of dist/ as a user meets it: installs it into this machine with apt,
# builds the classic examples it ships with one cc (and c++) line of pkg-config and the
# consumer example with find_package (shared, and static on request), plays them on the
# in-memory display, installs it again, removes it, and checks that dpkg's list of its files
# is the same both times and that nothing of it is left. Needs root (or sudo) and a machine
# where bgigraph is not installed.
# Usage: tests/package/debian_package.sh
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
version=$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
deb=$source/dist/bgigraph_${version}_$(dpkg --print-architecture).deb
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
work=$(mktemp -d)
installed_here=""
cleanup() {
  [ -z "$installed_here" ] || $sudo apt-get remove -y -qq bgigraph >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
source "$source/tests/package/checks.sh"
headless() { env -u DISPLAY GRAPHWIN_BACKEND=headless "$@"; }

[ -f "$deb" ] || fail "$deb is missing; run make package first"
! dpkg -s bgigraph >/dev/null 2>&1 ||
  fail "bgigraph is installed on this machine already; remove it (apt remove bgigraph) and run again"

# What the package holds, and that none of it is on the machine before.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }' | sort >"$work/files"
while read -r file; do
  [ ! -e "$file" ] || fail "$file is on the machine before the package is installed"
done <"$work/files"

export DEBIAN_FRONTEND=noninteractive
step "apt install ./$(basename "$deb")" $sudo apt-get install -y -qq "$deb"
installed_here=yes
dpkg -L bgigraph | sort >"$work/listed-first"
while read -r file; do
  [ -e "$file" ] || fail "dpkg lists $file, which is not there"
done <"$work/listed-first"
for file in /usr/include/bgigraph/graphics.h /usr/lib/$multiarch/libbgigraph_bgi.a \
  /usr/lib/$multiarch/libbgigraph_bgi.so /usr/lib/$multiarch/pkgconfig/bgigraph.pc \
  /usr/lib/$multiarch/cmake/BgiGraph/BgiGraphConfig.cmake /usr/share/bgigraph/fonts/TRIP.CHR \
  /usr/share/doc/bgigraph/examples/classic/menu.c /usr/share/doc/bgigraph/copyright; do
  grep -qx "$file" "$work/listed-first" || fail "the package lacks $file"
done
[ "$(pkg-config --modversion bgigraph)" = "$version" ] ||
  fail "pkg-config --modversion bgigraph gives $(pkg-config --modversion bgigraph), not $version"
ok "installed with apt: headers, libraries, CMake and pkg-config files, fonts, examples; version $version"

# The shipped classic examples, each with one compiler line and no other flag.
examples=/usr/share/doc/bgigraph/examples
flags=$(pkg-config --cflags --libs bgigraph)
for language in c c++; do
  mkdir "$work/classic-$language"
  compiler=cc
  [ $language = c ] || compiler="c++ -x c++"
  for example in "$examples"/classic/*.c; do
    name=$(basename "$example" .c)
    # shellcheck disable=SC2086  # the compiler and the flags are words
    step "$compiler $name.c \$(pkg-config --cflags --libs bgigraph)" \
      $compiler -o "$work/classic-$language/$name" "$example" $flags
  done
  step "play the classic examples built as $language" \
    bash "$source/tests/examples/classic_examples.sh" "$work/classic-$language"
done
ldd "$work/classic-c/menu" | grep -qE "libbgigraph_bgi.so.1 => (/usr)?/lib/$multiarch/" ||
  fail "menu does not use the installed shared libbgigraph_bgi.so.1: $(ldd "$work/classic-c/menu")"
ok "the classic examples build as C and as C++ with one pkg-config line, run on the shared libraries and play"

# find_package, the shared libraries by default and the static ones on request.
for kind in shared static; do
  step "configure the consumer with find_package ($kind)" cmake -S "$examples/consumer" \
    -B "$work/cmake-$kind" "-DBGIGRAPH_STATIC=$([ $kind = static ] && echo ON || echo OFF)"
  step "build the consumer with find_package ($kind)" cmake --build "$work/cmake-$kind" -j 2
  step "package_check ($kind)" headless "$work/cmake-$kind/package_check"
  step "classic_check ($kind)" headless "$work/cmake-$kind/classic_check"
done
ldd "$work/cmake-shared/package_check" | grep -q "libbgigraph_.*\.so\.1" ||
  fail "find_package did not give the shared libraries"
! ldd "$work/cmake-static/package_check" | grep -q libbgigraph ||
  fail "find_package with BGIGRAPH_STATIC=ON did not give the static libraries"
ok "find_package(BgiGraph) builds and runs C++ and C programs, shared and static"

# Installed twice: the same files; removed: none left, nor in ld.so's cache.
step "apt install --reinstall" $sudo apt-get install -y -qq --reinstall "$deb"
dpkg -L bgigraph | sort >"$work/listed-again"
cmp -s "$work/listed-first" "$work/listed-again" ||
  fail "installed twice, dpkg lists other files: $(diff "$work/listed-first" "$work/listed-again")"
step "apt remove bgigraph" $sudo apt-get remove -y -qq bgigraph
installed_here=""
left=$(while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then echo "$path"; fi
  case $path in *bgigraph* | *BgiGraph*) [ ! -d "$path" ] || echo "$path" ;; esac
done <"$work/listed-first")
[ -z "$left" ] || fail "removed, the package left: $left"
! ldconfig -p | grep -q libbgigraph || fail "removed, ld.so's cache still names libbgigraph"
ok "installed twice it lists the same $(wc -l <"$work/listed-first") paths; removed it leaves none"
echo "$passed passed, 0 failed"
