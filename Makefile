# Quantiview: make run (build and open the window on an example lot),
# make test (build and run every test), make bench (the speed programs),
# make package (the Debian package, build/package/quantiview_*.deb),
# make asan / make tsan (the tests under the sanitizers), make fuzz (every fuzz
# target for FUZZ_SECONDS seconds, or FUZZ_RUNS executions when set), make wintest
# (the core and its tests cross-built for Windows and run under Wine).
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)
EXAMPLE ?= examples/lot-thickness.csv
FUZZ_SECONDS ?= 60

.PHONY: deps build run test bench asan tsan fuzz package wintest clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset release
	cmake --build --preset release -j$(JOBS) --target quantiview

run: build
	./build/release/src/quantiview $(EXAMPLE)

test: deps
	cmake --preset dev -DQV_WERROR=$(WERROR)
	cmake --build --preset dev -j$(JOBS)
	ctest --preset dev -j$(JOBS)

bench: deps
	cmake --preset release
	cmake --build --preset release -j$(JOBS)
	@for b in ./build/release/bench/bench_*; do echo "== $$b"; $$b; done

asan: export ASAN_OPTIONS = detect_leaks=1
asan: export LSAN_OPTIONS = suppressions=$(CURDIR)/tests/lsan.supp
asan: export UBSAN_OPTIONS = print_stacktrace=1
asan: deps
	cmake --preset dev-asan -DQV_WERROR=$(WERROR)
	cmake --build --preset dev-asan -j$(JOBS)
	ctest --preset dev-asan -j$(JOBS)

package: deps
	cmake --preset package -DQV_WERROR=$(WERROR)
	cmake --build --preset package -j$(JOBS)
	cpack --preset package
	@ls -1 build/package/quantiview_*.deb

tsan: export TSAN_OPTIONS = halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp
tsan: deps
	cmake --preset dev-tsan -DQV_WERROR=$(WERROR)
	cmake --build --preset dev-tsan -j$(JOBS)
	ctest --preset dev-tsan -j$(JOBS)

fuzz: export FUZZ_SECONDS := $(FUZZ_SECONDS)
fuzz: deps
	cmake --preset fuzz -DQV_WERROR=$(WERROR)
	cmake --build --preset fuzz -j$(JOBS)
	./fuzz/run-fuzzers.sh build/fuzz

wintest:
	./scripts/wintest.sh $(JOBS) $(WERROR)

clean:
	rm -rf build
