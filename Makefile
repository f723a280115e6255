# Two commands do everything on a fresh Debian 12 machine:
#   make demo   installs what is missing, builds, and runs tlpp on the samples
#   make test   installs what is missing, builds, and runs every test
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLPP_WARNINGS_AS_ERRORS=ON
TLPP = $(BUILD)/tools/tlpp/tlpp

.PHONY: deps configure build test test-asan lint demo bench package clean

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

# clang-tidy (the checks in .clang-tidy) and cppcheck over src/; any
# finding fails. Suppressions are inline, each with its reason.
LINT_BUILD ?= build-lint
lint: deps
	cmake -S . -B $(LINT_BUILD) -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DTLPP_BUILD_TESTS=OFF -DTLPP_BUILD_TOOLS=OFF >/dev/null
	run-clang-tidy-14 -quiet -j $(JOBS) -p $(LINT_BUILD) '^$(CURDIR)/src/' >$(LINT_BUILD)/clang-tidy.log 2>&1 \
	  || { grep -E 'warning:|error:' -A3 $(LINT_BUILD)/clang-tidy.log; exit 1; }
	cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ --enable=warning,performance,portability \
	  --inline-suppr --suppress=missingIncludeSystem -I src src

demo: build
	$(TLPP) list examples/plugins
	@first=$$(ls -d examples/plugins/*/ | head -n 1); first=$${first%/}; stage=$$(mktemp -d); \
	  trap 'rm -rf "$$stage"' EXIT; \
	  echo "$(TLPP) stage $$first $$stage" && $(TLPP) stage "$$first" "$$stage" && \
	  echo "$(TLPP) snippet $$first" && $(TLPP) snippet "$$first"

# Staging speed, side by side with cp -r, in a release build of its own.
BENCH_BUILD ?= build-bench
bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DTLPP_BUILD_BENCH=ON -DTLPP_BUILD_TESTS=OFF -DTLPP_BUILD_TOOLS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target staging_bench
	$(BENCH_BUILD)/bench/staging_bench

# The Debian package (library, headers, tlpp, the Python module, samples):
# apt-get install ./$(BUILD)/tlpaymentplugins_*.deb
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
