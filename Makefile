# The newcomer's entry: `make run` and `make test` install what is missing, build and go.
PRESET ?= default
JOBS ?= $(shell nproc)
PORT ?= sim
PREFIX ?= /usr/local

.PHONY: all deps configure build run test check fuzz soak bench install package help-images clean

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

# Every test under AddressSanitizer+UBSan, the Qt-free ones under ThreadSanitizer, each fuzz target 60 s.
check: deps
	scripts/check

# The fuzz targets alone: FUZZ_SECONDS (60) each, or FUZZ_RUNS executions each for a long campaign.
fuzz: deps
	scripts/fuzz

# Ten minutes of acquisition on the simulated instrument with faults on a schedule (not part of CI).
soak: configure
	cmake --build build --target varnel-soak -j $(JOBS)
	build/bin/varnel-soak

install: build
	cmake --install build --prefix $(PREFIX)

# A Debian package in build/: apt-get install ./build/varnel_*.deb
package: build
	cd build && cpack

bench: build
	@for b in build/bin/bench_*; do echo "== $$b"; $$b; done

# The help's pictures of the real window under a virtual display, in both languages (HELP_LANG=ru or en
# for one); commit what changed in resources/help/images/.
HELP_LANGS ?= $(or $(HELP_LANG),ru en)
help-images: build
	@for l in $(HELP_LANGS); do scripts/help-images --lang $$l || exit 1; done

clean:
	rm -rf build build-debug build-asan build-tsan build-fuzz
