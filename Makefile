# Convenience front door: every target first makes sure the machine has what the build needs.
BUILD ?= build
DEMO  := $(BUILD)/demo

.PHONY: all setup configure build check demo screenshot install clean

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

clean:
	rm -rf $(BUILD)
