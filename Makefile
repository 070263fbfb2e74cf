# Convenience front door: every target first makes sure the machine has what the build needs.
BUILD ?= build
DEMO  := $(BUILD)/demo

.PHONY: all setup configure build check demo clean bench

all: build

setup:
	@scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD)

check: build
	@cd $(BUILD) && ctest --output-on-failure

# Generates the example project into a scratch copy, so examples/ stays as shipped.
demo: build
	@rm -rf $(DEMO) && cp -r examples/demo $(DEMO)
	@echo "Generating $(DEMO)/Demo.pbm"
	@$(BUILD)/src/cli/quarvel-gen $(DEMO)/Demo.pbm; status=$$?; \
	  echo; echo "Generated files in $(DEMO):"; ls $(DEMO); exit $$status

clean:
	rm -rf $(BUILD)

# Timings of the generator on synthetic projects and of the desktop start-up, measured on a
# Release build of its own; prints a table and writes bench/results.md.
BENCH_BUILD ?= build-bench
BENCH_RUNS  ?= 7

bench: setup
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH_BUILD) -j2 --target quarvel-gen quarvel bench_minimal_window
	@python3 bench/run_bench.py --build $(BENCH_BUILD) --runs $(BENCH_RUNS)
