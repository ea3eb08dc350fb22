#!/bin/bash
# The package as another project sees it: installs the build into an empty prefix, checks
# that exactly the public headers are installed (the README's table names them), that each
# compiles on its own, and that they and the examples include only installed headers, builds
# examples/consumer (hello.cpp is the README's example) against the prefix with find_package
# and with nothing but pkg-config, and runs what was built on the in-memory display; then
# builds the classic examples as C and as C++ and plays them there. A program of the
# graphics layer alone must link neither the window core nor Xlib.
# Usage: installed_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
consumer=$source/examples/consumer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}
# Runs a step quietly; on failure shows its output.
step() {  # step WHAT COMMAND...
  local what=$1
  shift
  "$@" >"$work/log" 2>&1 || {
    cat "$work/log"
    fail "$what"
  }
}

prefix=$work/prefix
step "cmake --install into an empty prefix" cmake --install "$build" --prefix "$prefix"
include=$prefix/include/bgigraph

# Exactly the public headers are installed: no internal one, none missing.
grep -v '^#' "$source/tests/package/public_headers.txt" | sort >"$work/public"
(cd "$include" && find . -type f | sed 's|^\./||' | sort) >"$work/installed"
extra=$(comm -13 "$work/public" "$work/installed")
missing=$(comm -23 "$work/public" "$work/installed")
[ -z "$extra" ] || fail "installed, but not public headers (tests/package/public_headers.txt):" $extra
[ -z "$missing" ] || fail "public headers that were not installed:" $missing
echo "ok: the installed headers are the public ones, $(wc -l <"$work/public") of them"

# The README names the same headers in its table, and its example is hello.cpp.
awk '/^\| header \| what it declares \|/ { table = 1; next } table && !/^\|/ { exit }
     table { print }' "$source/README.md" | cut -d'|' -f2 | grep -o '`[^`]*`' | tr -d '`' |
  sort >"$work/readme_headers"
cmp -s "$work/public" "$work/readme_headers" ||
  fail "README's table of installed headers differs:" $(comm -3 "$work/public" "$work/readme_headers")
awk '/^## Use the libraries/ { part = 1 } part && /^```cpp$/ { code = 1; next }
     code && /^```$/ { exit } code { print }' "$source/README.md" >"$work/readme_example.cpp"
grep -v '^//' "$consumer/hello.cpp" | cmp -s - "$work/readme_example.cpp" ||
  fail "README's example is not examples/consumer/hello.cpp"
echo "ok: README's header table and example match the package"

# Each of them compiles on its own in a C++ source, and the C ones in a C source.
alone() {  # alone LANGUAGE HEADER: compiles a source that includes only HEADER
  local source=$work/alone_${2//\//_}.$1
  printf '#include "%s"\n' "$2" >"$source"
  if [ "$1" = c ]; then
    cc -std=c11 -Wall -Wextra -Werror -fsyntax-only -I"$include" "$source"
  else
    c++ -std=c++20 -Wall -Wextra -Werror -fsyntax-only -I"$include" "$source"
  fi || echo "$2 does not compile on its own as $1" >>"$work/alone_failures"
}
export -f alone
export work include
{
  sed 's/^/cpp /' "$work/public"
  printf 'c %s\n' graphics.h graph/result_codes.h classic_colors.h conio.h dos.h bios.h \
    compat/windows.h
} | xargs -P "$(nproc)" -L 1 bash -c 'alone "$0" "$1"'
[ ! -s "$work/alone_failures" ] || fail "$(cat "$work/alone_failures")"
echo "ok: each installed header compiles on its own"
while IFS= read -r file; do
  for header in $(sed -n 's/^#include "\(.*\)".*/\1/p' "$file"); do
    [ -f "$include/$header" ] || fail "$file includes $header, which is not installed"
  done
done < <(find "$include" -name '*.h'; ls "$source"/examples/*.c* "$consumer"/*.c*)
echo "ok: installed headers and examples include only installed headers"

# find_package, away from this tree and its build.
step "configure the consumer with find_package" \
  cmake -S "$consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix"
step "build the consumer with find_package" cmake --build "$work/cmake" -v -j 2
cp "$work/log" "$work/cmake-build.log"
link=$(grep -E -- "-o graph_only( |$)" "$work/cmake-build.log") || fail "no link line for graph_only"
if grep -qE "libX11|-lX11|libbgigraph_(graphwin|keys|platform)\." <<<"$link"; then
  fail "graph_only, which uses only the graphics layer, links more: $link"
fi
! ldd "$work/cmake/graph_only" | grep -q libX11 || fail "graph_only needs libX11 at run time"
echo "ok: a program of the graphics layer alone links neither the window core nor Xlib"
step "graph_only (find_package)" "$work/cmake/graph_only"
step "package_check (find_package)" env -u DISPLAY GRAPHWIN_BACKEND=headless "$work/cmake/package_check"
step "classic_check (find_package)" env -u DISPLAY GRAPHWIN_BACKEND=headless "$work/cmake/classic_check"
echo "ok: built with find_package and run"

# A plain Makefile with pkg-config and no other flags.
mkdir "$work/pkg-config"
step "build the consumer with pkg-config" env PKG_CONFIG_PATH="$prefix/lib/pkgconfig" \
  make -C "$consumer" --no-print-directory OUT="$work/pkg-config"
step "package_check (pkg-config)" env -u DISPLAY GRAPHWIN_BACKEND=headless \
  "$work/pkg-config/package_check"
step "classic_check, C (pkg-config)" env -u DISPLAY GRAPHWIN_BACKEND=headless \
  "$work/pkg-config/classic_check"
echo "ok: built with pkg-config and run"

# The classic examples, unchanged, as C and as C++ with one compiler line each, then played.
flags="$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs bgigraph)"
for language in c c++; do
  mkdir "$work/classic-$language"
  for example in "$source"/examples/classic/*.c; do
    name=$(basename "$example" .c)
    if [ "$language" = c ]; then compiler=cc; else compiler=c++; fi
    # shellcheck disable=SC2086  # the flags are words
    step "build $name as $language" $compiler -x "$language" -Wall -Wextra -Werror \
      -o "$work/classic-$language/$name" "$example" $flags
  done
  step "play the classic examples built as $language" \
    bash "$source/tests/examples/classic_examples.sh" "$work/classic-$language"
done
echo "ok: the classic examples build as C and as C++ and play"

# The examples of the newer BGI-style library, unchanged, as C++ with one compiler line.
mkdir "$work/window"
for example in "$source"/examples/window/*.cpp; do
  name=$(basename "$example" .cpp)
  # shellcheck disable=SC2086  # the flags are words
  step "build $name" c++ -Wall -Wextra -Werror -o "$work/window/$name" "$example" $flags
done
step "play the window examples" bash "$source/tests/examples/window_examples.sh" "$work/window"
echo PASS
