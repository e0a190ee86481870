# Netbell: two commands for people (make run, make test), a few for developers.
SHELL := /bin/bash
JOBS  ?= $(shell nproc)
FUZZ_SECONDS ?= 60
NATIVE := build/native
WIN32  := build/win32
WIN64  := build/win64
FUZZ   := build/fuzz

.PHONY: all bootstrap native win32 win64 run test test-native test-win32 test-e2e bench dist fuzz clean

all: native win32 win64

bootstrap:
	@scripts/bootstrap.sh

$(NATIVE)/Makefile: | bootstrap
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

$(WIN32)/Makefile: | bootstrap
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

$(WIN64)/Makefile: | bootstrap
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

native: bootstrap $(NATIVE)/Makefile
	cmake --build $(NATIVE) -j$(JOBS)

win32: bootstrap $(WIN32)/Makefile
	cmake --build $(WIN32) -j$(JOBS)

win64: bootstrap $(WIN64)/Makefile
	cmake --build $(WIN64) -j$(JOBS)

# The 32-bit build where this machine runs 32-bit programs, else the 64-bit one.
run: bootstrap
	+@scripts/run-netbell.sh

test: native win32 win64 dist
	@scripts/run-tests.sh

# The Windows tiers alone, against BUILD=win32 or win64 (by default the build
# this machine runs, chosen once the packages are there).
test-win32 test-e2e: bootstrap
	+@b=$(or $(BUILD),$${NETBELL_BUILD:-$$(scripts/pick-build.sh)}); $(MAKE) -s $$b && \
	if [ $@ = test-win32 ]; then NETBELL_BUILD=$$b scripts/with-wine.sh wine build/$$b/netbell_win32_tests.exe; \
	else NETBELL_BUILD=$$b tests/e2e/run.sh; fi

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)

# The Wine benchmarks run against the 64-bit build, and the 32-bit one too
# where this machine runs it.
bench: native win32 win64
	$(NATIVE)/netbell_bench --benchmark_counters_tabular=true
	bench/check_bench.sh
	for b in win64 $$(scripts/can-run-32bit.sh >/dev/null && echo win32); do \
	    NETBELL_BUILD=$$b NETBELL_XVFB=1 scripts/with-wine.sh bench/tray_bench.sh && \
	    NETBELL_BUILD=$$b NETBELL_XVFB=1 scripts/with-wine.sh bench/wine_bench.sh || exit 1; \
	done

# The zips people download: the program, its help page and nbltool.
dist: win32 win64
	scripts/make-dist.sh

$(FUZZ)/Makefile: | bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DNETBELL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

# Both readers of outside input, for FUZZ_SECONDS in all: the data file's
# and nbltool write's JSON.
fuzz: bootstrap $(FUZZ)/Makefile
	cmake --build $(FUZZ) -j$(JOBS) --target nbl_reader_fuzz nbl_json_fuzz
	mkdir -p $(FUZZ)/corpus $(FUZZ)/json_corpus
	$(FUZZ)/nbl_reader_fuzz -max_total_time=$$(( $(FUZZ_SECONDS) / 2 )) -max_len=4096 $(FUZZ)/corpus fuzz/seeds
	$(FUZZ)/nbl_json_fuzz -max_total_time=$$(( ($(FUZZ_SECONDS) + 1) / 2 )) -max_len=4096 $(FUZZ)/json_corpus fuzz/seed_docs

clean:
	rm -rf build dist
