# Top-level commands. Each one installs what is missing first, so it works alone on a fresh machine.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
EXAMPLE ?= examples/DRV8837DSGR
PREFIX ?= /usr/local
FUZZ_SECONDS ?= 60
LAUNCHER := $(shell command -v ccache 2>/dev/null)
CMAKE_FLAGS := -G Ninja $(if $(LAUNCHER),-DCMAKE_CXX_COMPILER_LAUNCHER=$(LAUNCHER))

.PHONY: setup configure build demo screenshot test test-sanitize bench fuzz install format clean

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

demo: build
	@$(BUILD_DIR)/tessan check --force $(EXAMPLE); echo "exit code: $$?"
	@$(BUILD_DIR)/tessan inspect $(EXAMPLE)
	@$(BUILD_DIR)/tessan report $(EXAMPLE) --out $(EXAMPLE)/$(notdir $(EXAMPLE))-tessan.report.html

# The README's picture of the review page, taken by headless Chromium.
screenshot: build
	@bash scripts/screenshot.sh $(BUILD_DIR)/tessan $(EXAMPLE) doc/report-screenshot.png

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer (any report fails
# the test), leaks included. The one test that builds another project against the installed
# libraries, without the sanitizers, cannot link instrumented libraries: it runs in `make test`.
test-sanitize: setup
	@cmake -S . -B build-asan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DTESSAN_SANITIZE=ON -DTESSAN_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) -E '^Installed\.AnotherProject'

# Release build of the tool and the benchmarks only (bench/*_bench.cpp), then every benchmark.
BENCH_TARGETS := $(basename $(notdir $(wildcard bench/*_bench.cpp)))
bench: setup
	@cmake -S . -B build-release $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-release -j $(JOBS) --target tessan $(BENCH_TARGETS)
	@bash bench/run.sh build-release

fuzz: setup
	@bash fuzz/run.sh $(FUZZ_SECONDS)

install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

format:
	@git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) build-release build-asan fuzz-build
