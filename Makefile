# Brenvik: `make run` sets up, builds and starts the program; `make test` sets up, builds and runs
# every test, then the same tests under AddressSanitizer and UndefinedBehaviorSanitizer, then a
# short run of every fuzzer.
SHELL := /bin/bash
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := build-essential cmake qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
            fonts-liberation clang libclang-rt-14-dev xvfb xauth imagemagick \
            dbus-x11 at-spi2-core python3-pyatspi
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test build deps samples bench fuzz fuzz-quick fuzz-build asan asan-build clean

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
	$(MAKE) --no-print-directory asan
	$(MAKE) --no-print-directory fuzz-quick

# Benchmarks (bench/README.md) in a Release build of their own: the timing table with each
# verdict, then the peak memory with a 100,000-line library open.
bench: deps
	cmake -S . -B $(BUILD)-release -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)-release -j $(JOBS) --target brenvik_bench
	$(BUILD)-release/bench/brenvik_bench --benchmark_counters_tabular=true
	$(BUILD)-release/bench/brenvik_bench --memory

# --- Sanitizers: the whole test suite again, built with ASan + UBSan in its own folder. -------
ASAN_BUILD ?= build-asan
# The picture generators run during the build; their leak check is off (Qt's font set-up).
# The tests run with every check on; tools/lsan.supp holds only leaks of the system's libraries.
# gcc leaves float-to-integer overflow out of -fsanitize=undefined; the standard library's own
# bounds checks catch what ASan cannot see inside one std::array.
ASAN_EXTRA_FLAGS := -fsanitize=float-cast-overflow -D_GLIBCXX_ASSERTIONS
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1 \
                 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0 \
                 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

asan-build: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DBRENVIK_SANITIZE=ON \
	  -DCMAKE_CXX_FLAGS="$(ASAN_EXTRA_FLAGS)" >/dev/null
	ASAN_OPTIONS=detect_leaks=0 cmake --build $(ASAN_BUILD) -j $(JOBS)

asan: asan-build
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# --- Fuzzing with libFuzzer (clang): `make fuzz` runs each target for FUZZ_SECONDS, -------------
# `make fuzz-quick` (part of `make test`) for 20 s. Seeds: fuzz/corpus/<target>/ (fuzz/make_seeds.py).
FUZZ_BUILD ?= build-fuzz
FUZZ_TARGETS := fuzz_library_line fuzz_leading_number fuzz_picture
FUZZ_SECONDS ?= 60

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DBRENVIK_FUZZ=ON -DBRENVIK_WERROR=OFF >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	tools/run_fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

fuzz-quick: fuzz-build
	tools/run_fuzzers.sh $(FUZZ_BUILD) 20 $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) build-*
