# Convenience front door: every target first makes sure the machine has what the build needs.
BUILD ?= build
DEMO  := $(BUILD)/demo

.PHONY: all setup configure build check demo clean

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
