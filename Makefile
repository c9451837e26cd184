# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure once, then build incrementally: `make run` only
# the program, `make test` everything, tests and benchmarks included.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test deps deps-run build sanitize fuzz screenshots

run: deps-run $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS) --target varelith
	$(BUILD_DIR)/src/app/varelith

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 600 -j $(JOBS)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

$(BUILD_DIR)/CMakeCache.txt: | deps-run
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

# What building and running need; the tests' tools come with everything else.
deps-run:
	@scripts/install-deps debian-packages.txt

deps:
	@scripts/install-deps debian-packages.txt debian-packages-test.txt

# docs/screenshots/*.png from the real program under Xvfb (scripts/make-screenshots).
screenshots: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS) --target varelith
	scripts/make-screenshots $(BUILD_DIR)

# The suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer (no
# benchmarks, no package: an instrumented binary is not shipped); any report fails it.
# Leak suppressions (other libraries' own) carry their reasons.
SANITIZE_DIR ?= build-asan
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:print_stacktrace=1:detect_leaks=1:fast_unwind_on_malloc=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0

sanitize: deps $(SANITIZE_DIR)/CMakeCache.txt
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZER_ENV) ctest --output-on-failure --timeout 900 -j $(JOBS)

$(SANITIZE_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DVARELITH_SANITIZE=ON

# Each libFuzzer target for FUZZ_SECONDS from its committed corpus; a crash fails it.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 20

fuzz: deps $(FUZZ_DIR)/CMakeCache.txt
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target varelith_fuzzers
	fuzz/run-fuzzers $(FUZZ_DIR)/fuzz $(FUZZ_SECONDS)

$(FUZZ_DIR)/CMakeCache.txt: | deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DVARELITH_FUZZ=ON -DBUILD_TESTING=OFF
