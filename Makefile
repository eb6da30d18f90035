# Two commands for a new user: `make run` opens the main window, `make test` runs every test.
# Both install what is missing, configure and build first. `make test SANITIZE=1` runs the suite
# under AddressSanitizer and UndefinedBehaviorSanitizer in a build folder of its own. `make fuzz`
# builds the libFuzzer targets with clang in build-fuzz and runs each for FUZZ_SECONDS (default 60).
# `make windows` cross-builds the Windows programs (x86_64 and i686) with mingw-w64, and libsquish
# for them from Debian's source package; `make test-windows` also builds the x86_64 tests, runs them
# under Wine's 64-bit loader and compares the Windows pelliton-extract and pelliton-rsh with the
# Linux ones: the x86_64 build always, the i686 build where the machine runs 32-bit code.
# `make dist` writes the downloads into dist/: the Debian package of the Linux build and a zip of
# each Windows build, each checked as it is made. `make test` makes and checks the Debian package
# too, `make test-windows` the zips.

ifeq ($(SANITIZE),1)
BUILD_DIR := build-sanitize
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DPELLITON_SANITIZE=ON
else
BUILD_DIR := build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif
MAKEFLAGS += --no-print-directory
JOBS := $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60

.PHONY: deps configure build run test bench samples fuzz windows windows-deps test-windows dist dist-deb dist-windows

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS)

# A first run builds only what the window needs, not the tests and benchmarks.
run: configure
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: no display available (DISPLAY is not set). Run it on a desktop, or under xvfb-run."; \
	  exit 1; \
	fi
	@cmake --build $(BUILD_DIR) -j$(JOBS) --target pelliton
	@$(BUILD_DIR)/src/shell/pelliton

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)
ifneq ($(SANITIZE),1)
	@$(MAKE) --no-print-directory dist-deb
endif

bench: configure
	@scripts/install-deps bench
	@cmake --build $(BUILD_DIR) -j$(JOBS) --target pelliton-bench pelliton-bench-window pelliton-bench-files pelliton-extract \
	  pelliton-bench-encoders pelliton-rsh
	@$(BUILD_DIR)/bench/pelliton-bench
	@QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/pelliton-bench-window
	@bench/compare-with-cp $(BUILD_DIR)
	@bench/compare-encoders $(BUILD_DIR)

# Makes the sample textures in samples/ anew.
samples: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS) --target make-samples
	@$(BUILD_DIR)/tools/make-samples/make-samples samples

# Only the Qt-free libraries and the fuzz targets are built; findings fail the run.
fuzz:
	@scripts/install-deps fuzz
	@cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELLITON_FUZZ=ON > /dev/null
	@cmake --build build-fuzz -j$(JOBS)
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz build-fuzz

WINDOWS_ARCHS := x86_64 i686
WINDOWS_PROGRAMS := pelliton pelliton-extract pelliton-rsh

windows-deps:
	@scripts/install-deps windows
	@scripts/build-squish-windows

# pelliton.exe, pelliton-extract.exe and pelliton-rsh.exe into build-windows-x86_64/ and build-windows-i686/.
windows: windows-deps
	@for arch in $(WINDOWS_ARCHS); do \
	  cmake -S . -B build-windows-$$arch -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-$$arch.cmake \
	    -DCMAKE_BUILD_TYPE=Release > /dev/null && \
	  cmake --build build-windows-$$arch -j$(JOBS) --target $(WINDOWS_PROGRAMS) || exit 1; \
	done

# The Linux program and the files the Windows programs are compared on come from $(BUILD_DIR).
test-windows: windows configure
	@cmake --build build-windows-x86_64 -j$(JOBS)
	@cmake --build $(BUILD_DIR) -j$(JOBS) --target pelliton-extract pelliton-rsh compare-inputs
	@xvfb-run -a -s "-screen 0 1024x768x24" scripts/test-windows $(BUILD_DIR) build-windows-x86_64 build-windows-i686
	@$(MAKE) --no-print-directory dist-windows

DIST_DIR := dist

dist: dist-deb dist-windows
	@ls -l $(DIST_DIR)

# The package is made from the build without sanitizers: the one users run.
dist-deb: configure
	@if [ "$(SANITIZE)" = 1 ]; then echo "make dist: packages come from the build without SANITIZE=1" >&2; exit 1; fi
	@scripts/install-deps dist
	@package=$$(scripts/package $(BUILD_DIR) $(DIST_DIR)) && scripts/check-deb "$$package"

# The zips are checked against the Linux programs of $(BUILD_DIR).
dist-windows: windows configure
	@cmake --build $(BUILD_DIR) -j$(JOBS) --target pelliton-extract pelliton-rsh
	@for arch in $(WINDOWS_ARCHS); do \
	  package=$$(scripts/package build-windows-$$arch $(DIST_DIR)) && \
	  scripts/check-windows-zip "$$package" $(BUILD_DIR) || exit 1; \
	done
