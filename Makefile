# make test  installs what is missing, builds, and runs every test headless
# make run   installs what is missing, builds, and opens the window
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: deps configure build test run clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300

run: build
	scripts/run-window.sh $(BUILD)

clean:
	rm -rf $(BUILD)
