# Netbell: two commands for people (make run, make test), a few for developers.
SHELL := /bin/bash
JOBS  ?= $(shell nproc)
FUZZ_SECONDS ?= 60
NATIVE := build/native
WIN32  := build/win32
FUZZ   := build/fuzz

.PHONY: all bootstrap native win32 run test test-native test-win32 test-e2e bench fuzz clean

all: native win32

bootstrap:
	@scripts/bootstrap.sh

$(NATIVE)/Makefile: | bootstrap
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

$(WIN32)/Makefile: | bootstrap
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

native: bootstrap $(NATIVE)/Makefile
	cmake --build $(NATIVE) -j$(JOBS)

win32: bootstrap $(WIN32)/Makefile
	cmake --build $(WIN32) -j$(JOBS)

run: win32
	scripts/run-netbell.sh

test: native win32
	scripts/run-tests.sh

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)

test-win32: win32
	scripts/with-wine.sh wine $(WIN32)/netbell_win32_tests.exe

test-e2e: win32
	tests/e2e/run.sh

bench: native win32
	$(NATIVE)/netbell_bench --benchmark_counters_tabular=true
	NETBELL_XVFB=1 scripts/with-wine.sh bench/tray_bench.sh
	NETBELL_XVFB=1 scripts/with-wine.sh bench/wine_bench.sh

$(FUZZ)/Makefile: | bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DNETBELL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

fuzz: bootstrap $(FUZZ)/Makefile
	cmake --build $(FUZZ) -j$(JOBS) --target nbl_reader_fuzz
	mkdir -p $(FUZZ)/corpus
	$(FUZZ)/nbl_reader_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ)/corpus fuzz/seeds

clean:
	rm -rf build
