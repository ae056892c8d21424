# Quantiview: make run (build and open the window on an example lot),
# make test (build and run every test), make bench (the speed programs),
# make package (the Debian package, build/package/quantiview_*.deb).
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)
EXAMPLE ?= examples/lot-thickness.csv

.PHONY: deps build run test bench asan package clean

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

clean:
	rm -rf build
