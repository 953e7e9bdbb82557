# make run   installs what is missing, builds and starts arkive (needs a display)
# make test  installs what is missing, then builds and runs every test twice:
#            a normal build and one with AddressSanitizer and UBSan
# make bench builds and runs the benchmarks
# make package builds the Debian package $(BUILD)/arkive_VERSION_ARCH.deb

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

ASAN_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
           LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps build build-asan run test test-normal test-asan test-fuzz bench package screenshots clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARKIVE_WERROR=ON $(CMAKE_ARGS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DARKIVE_WERROR=ON -DARKIVE_SANITIZE=ON $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	@if [ -z "$${DISPLAY:-}" ] && [ -z "$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "arkive needs a display (DISPLAY or WAYLAND_DISPLAY is not set); it was built in $(BUILD)/arkive." >&2; \
	  exit 1; \
	fi
	$(BUILD)/arkive/arkive

test-normal: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: build-asan
	$(ASAN_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# A short run of the fuzzers (clang's libFuzzer): tally's listing parsers,
# and the member listing that reads archives with libarchive.
FUZZ_SECONDS ?= 10
test-fuzz: deps
	tally/fuzz/run.sh $(FUZZ_SECONDS) $(CURDIR)/build-fuzz
	archive/fuzz/run.sh $(FUZZ_SECONDS) $(CURDIR)/build-fuzz/members

test: test-fuzz test-normal test-asan
	@./scripts/test-size.sh

# make screenshots  remakes the README's pictures (doc/*.png) under Xvfb
screenshots: build
	scripts/screenshots.sh $(BUILD)

bench: build
	@for script in bench/*/run.sh; do "$$script" "$(CURDIR)/$(BUILD)" || exit 1; done

package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
