# Front door: `make play` and `make test` do all the set-up themselves.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

WINDOWS_BUILD ?= build-windows
WEB_BUILD ?= build-web
# Debian's emscripten finds its JavaScript modules only through NODE_PATH.
EMSDK_ENV = NODE_PATH=/usr/share/nodejs

.PHONY: all deps build play test sanitize bench windows test-windows bench-windows run-windows format format-check clean
.PHONY: package test-package web test-web

all: build

deps:
	@scripts/install-deps

# Configure only after the dependencies are in: a configure that runs first would not find
# GoogleTest and leave the tests out of this build folder.
$(BUILD)/CMakeCache.txt: | deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS)

# The game alone, with a line for each step and its exit code at the end (scripts/play).
play:
	@scripts/play $(BUILD)

# A build folder configured before GoogleTest was installed has no tests: say so and fail
# rather than pass with nothing run.
test: build
	@cd $(BUILD) && { [ -f CTestTestfile.cmake ] || { echo "Error: $(BUILD) has no tests (GoogleTest was missing when it was configured); remove $(BUILD) and run make test again." >&2; exit 1; }; } && \
	  ctest --output-on-failure --no-tests=error -j $(JOBS)

# The same tests under the address+undefined and the thread sanitizers.
sanitize: deps
	@$(MAKE) --no-print-directory test BUILD=build-asan CMAKE_FLAGS="-DSANITIZE=address,undefined"
	@$(MAKE) --no-print-directory test BUILD=build-tsan CMAKE_FLAGS="-DSANITIZE=thread"

# Every benchmark runs; a benchmark that fails is named and fails the target once all ran.
bench: build
	@status=0; for b in $(BUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  "$$b" || { echo "make bench: $$b failed" >&2; status=1; }; \
	done; exit $$status

# The Windows build: maze.exe, the examples and the tests as .exe, cross-built with MinGW-w64.
windows:
	@scripts/install-deps windows
	@[ -f $(WINDOWS_BUILD)/CMakeCache.txt ] || \
	  cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# Its tests under Wine, one at a time: some of them type into the window in front.
test-windows: windows
	@cd $(WINDOWS_BUILD) && { [ -f CTestTestfile.cmake ] || { echo "Error: $(WINDOWS_BUILD) has no tests (GoogleTest's sources were missing when it was configured); remove $(WINDOWS_BUILD) and run make test-windows again." >&2; exit 1; }; }
	@scripts/with-wine 1280x1024 ctest --test-dir $(WINDOWS_BUILD) --output-on-failure --no-tests=error

# The game under Wine on this desktop, with a Wine folder of its own and Wine's noise kept out.
run-windows:
	@scripts/run-windows $(WINDOWS_BUILD)

# dist/: the Debian package and the MinGW-w64 kits (scripts/package/).
package:
	@scripts/install-deps package
	@scripts/package/deb
	@WINDOWS_BUILD=$(WINDOWS_BUILD) scripts/package/windows-kit x86_64
	@scripts/package/windows-kit i686

# Installs the package into this machine, builds and plays programs against it and against
# the kits, then removes it.
test-package: package
	@scripts/install-deps windows
	@tests/package/debian_package.sh
	@scripts/with-wine 1280x1024 tests/package/windows_kits.sh

# The drawing figures on the Windows desktop under Wine beside those of X11, on one server.
bench-windows: build windows
	@scripts/with-wine 1920x1080 scripts/bench-windows $(BUILD) $(WINDOWS_BUILD)

WEB_CONFIGURE = [ -f $(WEB_BUILD)/CMakeCache.txt ] || $(EMSDK_ENV) emcmake cmake -S . -B $(WEB_BUILD) >/dev/null
# The pages the browser tests open: each program linked costs its own wasm link, so the
# tests build only these.
WEB_TEST_PAGES = maze shapes_and_fills

# The game and the examples as web pages in $(WEB_BUILD): serve a folder with scripts/serve-web.
web:
	@scripts/install-deps web
	@$(WEB_CONFIGURE)
	@$(EMSDK_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# The pages played and measured in headless Chromium.
test-web:
	@scripts/install-deps web
	@$(WEB_CONFIGURE)
	@$(EMSDK_ENV) cmake --build $(WEB_BUILD) -j $(JOBS) --target $(WEB_TEST_PAGES)
	@/usr/bin/python3 tests/web/run_web_tests.py $(WEB_BUILD)

format:
	@scripts/install-deps format
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i

# Fails, naming the places, when a tracked source is not formatted as .clang-format says.
format-check:
	@scripts/install-deps format
	@git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run --Werror

clean:
	@rm -rf build build-asan build-tsan $(WINDOWS_BUILD) $(WEB_BUILD) build-package dist
