# SPDX-License-Identifier: GPL-3.0-or-later
# Veltrax: build, run, test and benchmark.
#   make run    build and start the window program
#   make test   build and run every test, then again under ASan/UBSan
#   make bench  build and run the benchmarks
#   make fuzz [FUZZ_SECONDS=60]   build the libFuzzer targets (clang, ASan, UBSan) and run each
#   make install [PREFIX=/usr/local] [DESTDIR=...]   build and install
#   make package                                     build a Debian package (build-pkg/veltrax_*.deb)

# Debian packages the build, the tests and the fonts need.
# For the package and its test: dpkg-shlibdeps (dpkg-dev) works out the
# package's library dependencies, CPack finds the binaries with file, help2man
# makes the manual pages; lintian, appstream (appstreamcli) and man-db check
# the package, its AppStream metadata and the pages; xvfb and xauth give the
# shortcut test a real X server; libical writes the iCalendar exports;
# qt6-tools-dev and qt6-l10n-tools (lupdate, lrelease) build the English
# translation into the window.
PKGS := cmake g++ make qt6-base-dev qt6-tools-dev qt6-l10n-tools libgl-dev fonts-ipafont-gothic fonts-ipafont-mincho \
        libgtest-dev libbenchmark-dev libqt6svg6 qt6-svg-dev desktop-file-utils libxml2-utils \
        dpkg-dev file help2man lintian appstream man-db xvfb xauth libical-dev pkg-config
# The fuzz targets' compiler: clang and its libFuzzer runtime.
FUZZ_PKGS := clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

BUILD      := build
BUILD_ASAN := build-asan
BUILD_BENCH := build-bench
BUILD_PKG  := build-pkg
BUILD_FUZZ := build-fuzz
PREFIX     ?= /usr/local

.PHONY: all deps fuzz-deps run test test-plain test-asan bench fuzz install package clean

all: $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS)

# Installs only the packages of the list that are missing; quiet and quick
# when everything is there.
define install-missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PKGS))

$(BUILD)/Makefile: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(BUILD_ASAN)/Makefile: | deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELTRAX_SANITIZE=ON

$(BUILD_BENCH)/Makefile: | deps
	cmake -S . -B $(BUILD_BENCH) -DCMAKE_BUILD_TYPE=Release -DVELTRAX_BENCH=ON -DVELTRAX_TESTS=OFF

run: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS) --target veltrax
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "veltrax: no display (DISPLAY is not set); start it from a desktop session or under xvfb-run." >&2; \
	  exit 1; \
	fi
	./$(BUILD)/window/veltrax

test: test-plain test-asan

test-plain: deps $(BUILD)/Makefile
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

test-asan: deps $(BUILD_ASAN)/Makefile
	cmake --build $(BUILD_ASAN) -j$(JOBS)
	cd $(BUILD_ASAN) && ctest --output-on-failure -j$(JOBS)

bench: deps $(BUILD_BENCH)/Makefile
	cmake --build $(BUILD_BENCH) -j$(JOBS)
	@for b in $(BUILD_BENCH)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b"; QT_QPA_PLATFORM=offscreen taskset -c 0 "$$b" --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true || exit 1; \
	done

# Installs the programs, the desktop entry and the icon under PREFIX (sudo make
# install for a system folder); DESTDIR stages the files elsewhere, as usual.
install: all
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package for /usr, built with CPack in its own folder.
$(BUILD_PKG)/Makefile: | deps
	cmake -S . -B $(BUILD_PKG) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRAX_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr

package: deps $(BUILD_PKG)/Makefile
	cmake --build $(BUILD_PKG) -j$(JOBS)
	cd $(BUILD_PKG) && cpack -G DEB
	@for f in $(BUILD_PKG)/veltrax_*.deb; do \
	  echo "Package: $(CURDIR)/$$f"; \
	  echo "Install it with: $(strip $(SUDO) apt-get install) ./$$f"; \
	done

# Fuzzing: each reader of outside text (tests/fuzz/fuzz_*.cpp) under libFuzzer,
# ASan and UBSan, for FUZZ_SECONDS each, one after another, on a copy of its
# seed corpus in the build folder (tests/fuzz/corpus/ is never written). The
# libraries are compiled for coverage too (CMAKE_CXX_FLAGS). Fails when a
# target finds a crash, a trap (a broken property), a leak or a hang; the input
# is kept as $(BUILD_FUZZ)/fuzz-artifacts/TARGET/crash-*.
FUZZ_SECONDS ?= 60
# A fixed seed: a run repeats the same inputs, so what passed here passes in CI
# (give FUZZ_SEED=0 for a new sequence each time).
FUZZ_SEED ?= 1
FUZZ_TARGETS := moment date fields grs site step settings
FUZZ_CXXFLAGS := -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer

fuzz-deps:
	$(call install-missing,$(FUZZ_PKGS))

$(BUILD_FUZZ)/Makefile: | deps fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRAX_GUI=OFF \
	  -DVELTRAX_FUZZ=ON -DCMAKE_CXX_FLAGS="$(FUZZ_CXXFLAGS)"

fuzz: deps fuzz-deps $(BUILD_FUZZ)/Makefile
	cmake --build $(BUILD_FUZZ) -j$(JOBS) --target veltrax_fuzzers
	@failed=""; \
	for t in $(FUZZ_TARGETS); do \
	  corpus=$(BUILD_FUZZ)/fuzz-corpus/$$t; artifacts=$(BUILD_FUZZ)/fuzz-artifacts/$$t; \
	  rm -rf "$$corpus" "$$artifacts"; mkdir -p "$$corpus" "$$artifacts"; \
	  cp tests/fuzz/corpus/$$t/* "$$corpus"/; \
	  echo "== fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./$(BUILD_FUZZ)/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -seed=$(FUZZ_SEED) -timeout=10 -print_final_stats=1 \
	    -artifact_prefix="$$artifacts/" "$$corpus" >"$(BUILD_FUZZ)/fuzz-$$t.log" 2>&1; \
	  status=$$?; \
	  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$(BUILD_FUZZ)/fuzz-$$t.log" | tail -2; \
	  if [ $$status -ne 0 ]; then \
	    tail -40 "$(BUILD_FUZZ)/fuzz-$$t.log"; \
	    echo "fuzz_$$t FAILED (exit $$status); input: $$(ls $$artifacts/* 2>/dev/null)"; \
	    failed="$$failed $$t"; \
	  fi; \
	done; \
	if [ -n "$$failed" ]; then echo "fuzz: failed:$$failed" >&2; exit 1; fi; \
	echo "fuzz: every target ran $(FUZZ_SECONDS) s without a fault"

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_BENCH) $(BUILD_PKG) $(BUILD_FUZZ)
