# Two commands on a fresh Debian machine: `make run` and `make test`.
# Each installs the Debian packages the build needs (when missing), configures,
# builds, and then plays the sample level or runs the whole test suite.

BUILD      ?= build
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
PACKAGES   := build-essential cmake ninja-build pkg-config libsdl2-dev libgtest-dev libgmock-dev \
              libbenchmark-dev libboost-dev rapidjson-dev libcli11-dev ccache \
              libbullet-dev libimgui-dev libstb-dev libepoxy-dev xvfb xauth libgl1-mesa-dri
FUZZ_PACKAGES := clang libclang-rt-14-dev
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test asan tsan bench fuzz fuzz-build fuzz-merge clean format

all: build

# Installs only what is missing, so a ready machine does not touch apt.
deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/host/tidewater-host

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# AddressSanitizer + UndefinedBehaviorSanitizer over the whole suite.
asan:
	$(MAKE) test BUILD=build-asan CMAKE_ARGS="-DTIDEWATER_SANITIZE=address,undefined -DTIDEWATER_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug $(CMAKE_ARGS)"

# ThreadSanitizer over the bus's threaded tests.
tsan:
	$(MAKE) configure BUILD=build-tsan CMAKE_ARGS="-DTIDEWATER_SANITIZE=thread -DTIDEWATER_BENCH=OFF -DTIDEWATER_HOST=OFF $(CMAKE_ARGS)"
	cmake --build build-tsan -j $(JOBS) --target tw_core_tests
	./build-tsan/tests/tw_core_tests --gtest_filter='BusThreads*'

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

# libFuzzer targets (clang). `make fuzz` runs them from the committed corpus
# for FUZZ_SECONDS in all, shared between them, and leaves the corpus alone;
# `make fuzz-merge` then merges what a campaign found into fuzz/corpus/.
# FUZZ_TARGETS picks some of them (default: all).
FUZZ_SECONDS ?= 90
FUZZ_TARGETS ?=

fuzz-build:
	@missing=""; for p in $(FUZZ_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; fi
	$(MAKE) deps
	CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)

fuzz: fuzz-build
	./fuzz/run.sh build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

fuzz-merge: fuzz-build
	./fuzz/run.sh --merge build-fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf build build-asan build-tsan build-fuzz
