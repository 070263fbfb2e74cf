# Convenience front door: every target first makes sure the machine has what the build needs.
BUILD ?= build
DEMO  := $(BUILD)/demo

FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
ASAN_BUILD   ?= build-asan
TSAN_BUILD   ?= build-tsan

.PHONY: all setup configure build test check check-plain check-asan check-tsan lint format hooks fuzz demo screenshot install package bench clean

all: build

setup:
	@scripts/setup.sh

# CONFIGURE_FLAGS come from the target that asks for the build: the checks set QUARVEL_WERROR.
# A build without them keeps what its build directory was configured with, so `make demo`
# after `make check` rebuilds nothing.
configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CONFIGURE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

# Tests that do not share a file, a port or a display run side by side, TEST_JOBS at a time.
TEST_JOBS ?= 2

# The full gate, and what CI runs: the suite as shipped, the source checks, then the suite again
# under AddressSanitizer and UBSan, then the desktop generation run under ThreadSanitizer. Every
# build of a check stops at the first compiler warning.
check: check-plain lint check-asan check-tsan

# The plain suite alone, for the edit-compile-test loop: the first part of `make check`, in the
# same build tree configured the same way, so the two share every object.
test: check-plain

check-plain: CONFIGURE_FLAGS = -DQUARVEL_WERROR=ON
check-plain: build
	@cd $(BUILD) && ctest --output-on-failure -j$(TEST_JOBS)

# The sources against .clang-format, then clang-tidy over src/ with the plain build's compile
# commands (.clang-tidy names the checks). A configured tree is enough; the outputs of
# clang-tidy are kept in $(BUILD)/tidy-cache, so a second run checks only what changed.
lint: CONFIGURE_FLAGS = -DQUARVEL_WERROR=ON
lint: configure
	@scripts/check_format.sh
	@scripts/check_tidy.sh $(BUILD)

# Rewrites the sources of src/, tests/, fuzz/ and bench/ in the style of .clang-format.
format: setup
	@scripts/check_format.sh --apply

# Once per clone: the commit-msg hook of scripts/git-hooks/, which refuses a subject longer
# than 72 characters. Hooks the clone has already stay as they are.
hooks:
	@scripts/git-hooks/install.sh

# The sanitizer trees are unity builds: a library's files compiled as one, which parses the Qt
# headers once a library instead of once a file (ASan tree: about 330 s of CPU against 880 s;
# TSan: 250 s against 590 s, with the precompiled headers). The suite under ASan and UBSan
# leaves out the runs in a real X server (label xvfb): they repeat the offscreen desktop tests,
# which it runs, and the plain suite runs them.
SANITIZER_FLAGS := -DQUARVEL_WERROR=ON -DCMAKE_UNITY_BUILD=ON

check-asan: setup
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_SANITIZE=address,undefined $(SANITIZER_FLAGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j2
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j$(TEST_JOBS) -LE xvfb

check-tsan: setup
	@cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARVEL_SANITIZE=thread $(SANITIZER_FLAGS) >/dev/null
	@cmake --build $(TSAN_BUILD) -j2 --target tst_desktop
	@cd $(TSAN_BUILD) && ctest --output-on-failure -R '^tst_desktop$$'

# Every fuzz target for FUZZ_SECONDS seconds each (clang, libFuzzer, ASan + UBSan).
fuzz: setup
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DQUARVEL_FUZZ=ON -DQUARVEL_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_BUILD) -j2 --target quarvel_fuzzers
	@fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Builds the two programs, not the tests, and generates the example project into a scratch
# copy, so examples/ stays as shipped.
demo: configure
	@cmake --build $(BUILD) --target quarvel quarvel-gen
	@rm -rf $(DEMO) && cp -r examples/demo $(DEMO)
	@echo "Generating $(DEMO)/Demo.pbm"
	@$(BUILD)/src/cli/quarvel-gen $(DEMO)/Demo.pbm; status=$$?; \
	  echo; echo "Generated files in $(DEMO):"; ls $(DEMO); exit $$status

# The README's picture: the real program in a virtual X server, after a run with a binding.
screenshot: build
	@mkdir -p docs
	@QUARVEL_SCREENSHOT=$(CURDIR)/docs/screenshot.png QT_QPA_PLATFORM=xcb \
	  xvfb-run -a -s "-screen 0 1280x800x24" $(BUILD)/tests/tst_real_window
	@echo "Wrote docs/screenshot.png"

# Installs into PREFIX (default /usr/local): the two programs, the desktop entry, the icon.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of both programs, the desktop entry and the icons: build/quarvel_*.deb.
package: build
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/quarvel_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD)

# Timings of the generator on synthetic projects and of the desktop start-up, measured on a
# Release build of its own; prints a table and writes bench/results.md.
BENCH_BUILD ?= build-bench
BENCH_RUNS  ?= 7

bench: setup
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH_BUILD) -j2 --target quarvel-gen quarvel bench_minimal_window bench_big_rename
	@python3 bench/run_bench.py --build $(BENCH_BUILD) --runs $(BENCH_RUNS)
