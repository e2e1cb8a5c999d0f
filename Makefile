# The two commands of the README, and the helpers around them. Every target installs
# what is missing first, so a fresh Debian machine needs nothing else.
PRESET ?= $(or $(TIRVEX_PRESET),default)
BUILD_DIR := $(if $(filter default,$(PRESET)),build,build-$(PRESET))
JOBS ?= $(shell nproc)
# Every build writes the last commit's time where it would write the time it ran (compiled
# resources, time stamps), so the same commit builds the same program in any folder.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: deps build run test test-e2e test-package package screenshots bench soak fairness fuzz clean \
        windows test-windows screenshots-windows

deps:
	@scripts/install-deps

build: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@scripts/run $(BUILD_DIR)

test: build
	@scripts/run-tests $(BUILD_DIR)

test-e2e: build
	@cd $(BUILD_DIR) && ctest -L e2e --output-on-failure

# The Debian package, written as $(BUILD_DIR)/tirvex_<version>_<arch>.deb.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# Builds the package, looks inside it, and (as root or with sudo) installs, starts and
# removes it on this machine.
test-package: build
	@cd $(BUILD_DIR) && ctest -L package --output-on-failure

screenshots: build
	@scripts/with-x scripts/screenshots $(BUILD_DIR)

# Measures start-up, memory, tick accuracy, paint cost and CPU and prints one table with
# the goals beside the figures (also written to $(BUILD_DIR)/bench/results.md). Takes a
# few minutes; never fails on time.
bench: deps
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS) >/dev/null
	@bench/run-bench $(BUILD_DIR)

# 10,000 whole draws on the stage at interval 0: every number within its bounds, no tick
# that fails to return, resident memory growth below 1 MB. Prints its figures.
soak: build
	@cmake --build $(BUILD_DIR) --target tirvex_soak -j$(JOBS)
	@cd $(BUILD_DIR)/bench && QT_QPA_PLATFORM=offscreen ./tirvex_soak

# The statistics of the drawn digits with the program's own random source, and dieharder
# on its raw output. Prints every figure and its threshold, and writes them into
# docs/fairness.md. Takes four to six minutes on two cores.
fairness: build
	@cmake --build $(BUILD_DIR) --target tirvex_fairness -j$(JOBS)
	@$(BUILD_DIR)/bench/tirvex_fairness --write docs/fairness.md

# libFuzzer on TextToNumber and on the admissible digits, FUZZ_SECONDS each (default 60).
FUZZ_SECONDS ?= 60
fuzz: deps
	@scripts/fuzz $(FUZZ_SECONDS)

# Windows: a static 64-bit tirvex.exe cross-built with MinGW-w64 against a static Qt
# (built once into ~/.cache/tirvex, up to an hour on two cores the first time), and the two
# downloads, build-windows/dist/tirvex-<version>-win64.zip and ...-win64-setup.exe.
WINDOWS_BUILD := build-windows
windows:
	@scripts/install-deps windows
	@scripts/build-windows $(WINDOWS_BUILD) tirvex windows-packages

# Every test of the Windows build under Wine: the logic and window tests, the downloads
# read as Windows would, the program and its installer driven on a private X server.
test-windows: windows
	@scripts/build-windows $(WINDOWS_BUILD)
	@scripts/run-tests-windows $(WINDOWS_BUILD)

# Pictures of each window of the Windows program under Wine, into docs/screenshots/windows/.
screenshots-windows: windows
	@cd $(WINDOWS_BUILD) && ctest -R windows_wine_prefix >/dev/null
	@cd $(WINDOWS_BUILD) && WINEPREFIX=$$PWD/wine WINEDLLOVERRIDES=mscoree,mshtml= SHOT_DIR=$(CURDIR)/docs/screenshots/windows \
	  bash $(CURDIR)/tests/windows-e2e/test_visit.sh tirvex.exe
	@cd $(WINDOWS_BUILD) && WINEPREFIX=$$PWD/wine WINEDLLOVERRIDES=mscoree,mshtml= SHOT_DIR=$(CURDIR)/docs/screenshots/windows \
	  bash $(CURDIR)/tests/e2e/test_winners.sh tirvex.exe

clean:
	rm -rf build build-*
