# The newcomer's entry: `make run` and `make test` install what is missing, build and go.
PRESET ?= default
JOBS ?= $(shell nproc)
PORT ?= sim

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@if [ ! -f build/build.ninja ]; then cmake --preset $(PRESET); fi

build: configure
	cmake --build build -j $(JOBS)

run: build
	build/bin/varnel --port $(PORT)

test: build
	cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in build/bin/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build build-debug build-asan build-tsan
