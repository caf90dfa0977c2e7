# Brenvik: `make run` sets up, builds and starts the program; `make test` sets up, builds and runs every test.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := build-essential cmake qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
            fonts-liberation clang libclang-rt-14-dev xvfb xauth imagemagick \
            dbus-x11 at-spi2-core python3-pyatspi
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps samples bench fuzz clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

samples: build
	@[ -f samples/Library.txt ] || QT_QPA_PLATFORM=offscreen $(BUILD)/brenvik_samplegen samples

run: samples
	cd samples && ../$(BUILD)/brenvik

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/brenvik_bench --benchmark_counters_tabular=true

clean:
	rm -rf $(BUILD) build-*
