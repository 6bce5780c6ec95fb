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

# Beyond `make test` (see README, Performance and robustness):
# make bench     Google Benchmark figures of the tick, the sweep and painting (Release)
# make soak      a million ticks with random edits; fails when memory grows
# make fuzz      each libFuzzer target for FUZZ_SECONDS on its seed corpus (Clang 14)
# make sanitize  every test built with AddressSanitizer and UBSan, through CTest
# make ci-extra  what CI runs after `make test`
FUZZ_SECONDS ?= 25
SOAK_ARGS ?=
CI_SOAK_ARGS ?= --ticks 100000 --every 20000

.PHONY: deps-extra bench soak fuzz sanitize ci-extra

deps-extra:
	@scripts/install-deps.sh --extra

bench: deps
	scripts/bench.sh build-bench

soak: deps
	scripts/soak.sh build-bench $(SOAK_ARGS)

fuzz: deps-extra
	scripts/fuzz.sh $(FUZZ_SECONDS) build-fuzz

sanitize: deps
	scripts/sanitize.sh build-asan

ci-extra: deps-extra
	scripts/sanitize.sh build-asan
	scripts/fuzz.sh $(FUZZ_SECONDS) build-fuzz
	scripts/soak.sh build-bench $(CI_SOAK_ARGS)
