# Two commands do everything on a fresh Debian 12 machine:
#   make demo   installs what is missing, builds, and runs tlpp on the samples
#   make test   installs what is missing, builds, and runs every test
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTLPP_WARNINGS_AS_ERRORS=ON
TLPP = $(BUILD)/tools/tlpp/tlpp

.PHONY: deps configure build test demo clean

deps:
	@bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

demo: build
	$(TLPP) list examples/plugins

clean:
	rm -rf $(BUILD)
