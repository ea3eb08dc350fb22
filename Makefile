# Front door: `make play` and `make test` do all the set-up themselves.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build play test sanitize bench format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: deps $(BUILD)/CMakeCache.txt
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	@$(BUILD)/game/maze

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests under the address+undefined and the thread sanitizers.
sanitize: deps
	@$(MAKE) --no-print-directory test BUILD=build-asan CMAKE_FLAGS="-DSANITIZE=address,undefined"
	@$(MAKE) --no-print-directory test BUILD=build-tsan CMAKE_FLAGS="-DSANITIZE=thread"

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build build-asan build-tsan
