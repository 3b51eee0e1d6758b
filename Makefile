# Quillet: `make run` builds and starts the program, `make test` builds and runs
# every test. Both install the Debian packages they need first.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja
SHELL      := /bin/bash
PROGRAM    := $(BUILD)/bin/quillet

.PHONY: run test deps configure asan-configure build asan-build bench clean

# The program and the product pages it opens; tests are built by `make test`.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target quillet quillet_site
	exec "$(PROGRAM)"

test: build asan-build
	@echo "== Sanitizer build: unit tests =="
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --test-dir $(ASAN_BUILD) -L unit --output-on-failure -j $(JOBS)
	@echo "== Sanitizer build: fuzzers, a minute each (full output in $(ASAN_BUILD)/fuzz.log) =="
	set -o pipefail; ctest --test-dir $(ASAN_BUILD) -L fuzz -V -j $(JOBS) 2>&1 | tee $(ASAN_BUILD)/fuzz.log \
	    | grep -E "stat::number_of_executed_units|Test +#|tests passed|tests failed|ERROR|SUMMARY"
	@echo "== Release build: unit, GUI and end-to-end tests =="
	xvfb-run -a -s "-screen 0 1280x1024x24" \
	    ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DQUILLET_E2E=ON

asan-configure: deps
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DQUILLET_SANITIZE=ON -DQUILLET_FUZZ=ON -DQUILLET_BENCH=OFF

build: configure
	cmake --build $(BUILD) -j $(JOBS)

asan-build: asan-configure
	cmake --build $(ASAN_BUILD) -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
