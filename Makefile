# Two commands do everything on a fresh Debian 12 machine:
#   make demo   installs what is missing, builds, and runs tlpp on the samples
#   make test   installs what is missing, builds, and runs every test
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLPP_WARNINGS_AS_ERRORS=ON
TLPP = $(BUILD)/tools/tlpp/tlpp

.PHONY: abi-check abi-baseline deps configure build test test-asan lint format fuzz demo bench package mutants clean

deps:
	@bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, in a
# build of its own; any report fails the test that made it.
ASAN_BUILD ?= build-asan
SANITIZE = -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLPP_WARNINGS_AS_ERRORS=ON -DTLPP_SANITIZE=ON \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE)" "-DCMAKE_C_FLAGS=$(SANITIZE)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE)" "-DCMAKE_SHARED_LINKER_FLAGS=$(SANITIZE)" "-DCMAKE_MODULE_LINKER_FLAGS=$(SANITIZE)"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The layout of .clang-format over the tracked C and C++ sources (nothing
# in them is generated: generated files live in the build folders), then
# clang-tidy (the checks in .clang-tidy) and cppcheck over src/; any finding
# fails. Suppressions are inline, each with its reason. make format applies
# the layout. Neither is part of make test.
CLANG_FORMAT ?= clang-format-14
FORMAT_SOURCES = $(or $(shell git ls-files -- $(foreach d,src tools tests bench fuzz,'$(d)/*.cpp' '$(d)/*.h' '$(d)/*.c')),\
  $(error make lint and make format read the sources from git ls-files: run them in a git checkout))
LINT_BUILD ?= build-lint
lint: deps
	$(CLANG_FORMAT) --dry-run -Werror $(FORMAT_SOURCES)
	cmake -S . -B $(LINT_BUILD) -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DTLPP_BUILD_TESTS=OFF -DTLPP_BUILD_TOOLS=OFF >/dev/null
	run-clang-tidy-14 -quiet -j $(JOBS) -p $(LINT_BUILD) '^$(CURDIR)/src/' >$(LINT_BUILD)/clang-tidy.log 2>&1 \
	  || { grep -E 'warning:|error:' -A3 $(LINT_BUILD)/clang-tidy.log; exit 1; }
	cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --enable=warning,performance,portability \
	  --inline-suppr --suppress=missingIncludeSystem -I src src

# The C interface's ABI against abi/libtlpaymentplugins.abi (make test runs
# the same check); abi-baseline moves the baseline on, with the soname, on
# purpose.
C_LIBRARY = $(BUILD)/src/server/libtlpaymentplugins.so.0
abi-check: build
	cmake -DABIDIFF=abidiff -DBASELINE=abi/libtlpaymentplugins.abi -DLIBRARY=$(C_LIBRARY) -P abi/Check.cmake
abi-baseline: build
	abidw --no-show-locs --no-corpus-path $(C_LIBRARY) > abi/libtlpaymentplugins.abi

format: deps
	$(CLANG_FORMAT) -i $(FORMAT_SOURCES)

# libFuzzer, clang 14: every target in turn for FUZZ_TIME seconds, on a
# working corpus in the build folder seeded from fuzz/corpus.
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME ?= 600
FUZZ_TARGETS = config_read_fuzz parse_param_fuzz amount_fuzz selection_fuzz reference_scan_fuzz selection_differential_fuzz
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DTLPP_BUILD_FUZZ=ON -DTLPP_BUILD_TESTS=OFF -DTLPP_BUILD_TOOLS=OFF "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)
	set -e; for t in $(FUZZ_TARGETS); do mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "== $$t"; $(FUZZ_BUILD)/fuzz/$$t -max_total_time=$(FUZZ_TIME) -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/ \
	    $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t >$(FUZZ_BUILD)/$$t.log 2>&1 || { tail -n 60 $(FUZZ_BUILD)/$$t.log; exit 1; }; \
	  grep -E '^(#[0-9]+ +(INITED|DONE)|Done|stat::)' $(FUZZ_BUILD)/$$t.log; done

# Builds only what it runs: the library and tlpp.
demo: configure
	cmake --build $(BUILD) -j $(JOBS) --target tlpp
	$(TLPP) list examples/plugins
	$(TLPP) params examples/plugins/creditcard
	@first=$$(ls -d examples/plugins/*/ | head -n 1); first=$${first%/}; stage=$$(mktemp -d); \
	  trap 'rm -rf "$$stage"' EXIT; \
	  echo "$(TLPP) stage $$first $$stage" && $(TLPP) stage "$$first" "$$stage" && \
	  echo "$(TLPP) snippet $$first" && $(TLPP) snippet "$$first"

# Staging speed side by side with cp -r; scan, lookup, memory, dialog and
# load figures side by side with libxml2, xmllint and an ElementTree script;
# a thousand dialog cycles and saves killed at random moments; the Qt
# dialog's peak memory with a huge logo; in a release build of its own.
# The scan plot needs gnuplot.
BENCH_BUILD ?= build-bench
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTLPP_BUILD_BENCH=ON -DTLPP_BUILD_TESTS=OFF -DTLPP_BUILD_TOOLS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target staging_bench plugin_bench endurance_bench logo_bench
	$(BENCH_BUILD)/bench/staging_bench
	$(BENCH_BUILD)/bench/plugin_bench --plot-data $(BENCH_BUILD)/scan.dat
	$(BENCH_BUILD)/bench/endurance_bench
	$(BENCH_BUILD)/bench/logo_bench
	if command -v gnuplot >/dev/null; then \
	  gnuplot -e "data='$(BENCH_BUILD)/scan.dat'; out='$(BENCH_BUILD)/scan.png'" bench/scan.gnuplot; fi

# How many planted faults the tests catch: SAMPLE mutants (default 100)
# drawn by rule with SEED (default 1) from every .cpp of src/ and tools/,
# then the hand-written faults of tools/mutants/faults.txt, each planted
# alone in a scratch copy of the tree with a coverage build of its own
# (outside headers precompiled, linked with gold) kept
# between runs (TLPP_MUTANTS_DIR, default /tmp/tlpp-mutants). Each runs only
# the tests that reach its line. Prints caught or missed per mutant, the
# score, the equivalents claimed (counted without being planted;
# tools/mutants/mutants.py --claims plants them too) and every survivor with
# the command that plants it alone. Not part of make test.
SAMPLE ?= 100
SEED ?= 1
mutants: deps
	JOBS=$(JOBS) python3 tools/mutants/mutants.py --sample $(SAMPLE) --seed $(SEED)

# The Debian packages (debian/control), built by dpkg-buildpackage from a copy
# of the working tree (committed or not, with or without .git) in
# $(BUILD)/debian-source, without the tests (make test runs them); then
# lintian on each, and the C++, C and Python hosts built against them alone
# (tools/package-hosts.sh). The packages are left in $(BUILD)/packages.
PACKAGE_SOURCE = $(BUILD)/debian-source/tlpaymentplugins
package:
	@bash tools/install-deps.sh --package
	dpkg-checkbuilddeps
	rm -rf $(BUILD)/debian-source $(BUILD)/packages
	mkdir -p $(PACKAGE_SOURCE) $(BUILD)/packages
	tar -cf - --exclude='./build*' --exclude=./.git --exclude='./obj-*' . | tar -xf - -C $(PACKAGE_SOURCE)
	cd $(PACKAGE_SOURCE) && CCACHE_DIR=$$(ccache -k cache_dir 2>/dev/null || true) CCACHE_BASEDIR=$(CURDIR)/$(BUILD) \
	  DEB_BUILD_OPTIONS="nocheck parallel=$(JOBS)" dpkg-buildpackage -us -uc -b
	mv $(BUILD)/debian-source/*.deb $(BUILD)/debian-source/*.ddeb $(BUILD)/debian-source/*.changes \
	  $(BUILD)/debian-source/*.buildinfo $(BUILD)/packages/ 2>/dev/null || true
	lintian --fail-on error,warning $(BUILD)/packages/*.deb
	bash tools/package-hosts.sh $(BUILD)/packages

clean:
	rm -rf $(BUILD)
