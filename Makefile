# One-command entry points: `make run` starts the program, `make test` runs the whole suite.
# Both install what is missing (Debian packages), configure and build first.
SANITIZE ?= 0
JOBS ?= $(shell nproc)
# Developer and CI builds treat warnings as errors; a plain cmake build only reports them.
CMAKE_FLAGS += -DASTRODESK_WERROR=ON

ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-sanitize
CMAKE_FLAGS += -DCMAKE_BUILD_TYPE=Debug -DASTRODESK_SANITIZE=ON
else
BUILD_DIR ?= build
CMAKE_FLAGS += -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

.PHONY: all deps configure build test run bench install package fuzz clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-program $(BUILD_DIR)

bench: build
	@for b in $(BUILD_DIR)/bin/*_bench; do $$b; done

install: build
	cmake --install $(BUILD_DIR)

# The Debian package from a Release build of the programs alone, installed under /usr.
RELEASE_DIR ?= build-release
package: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	    -DASTRODESK_BUILD_TESTS=OFF -DASTRODESK_BUILD_BENCH=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	cd $(RELEASE_DIR) && cpack -G DEB

# The coefficient-file reader under libFuzzer (clang, separate build) for FUZZ_SECONDS seconds,
# starting from the shipped data files.
FUZZ_SECONDS ?= 60
fuzz: deps
	CXX=clang++ cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus build-fuzz/seeds
	cp data/PERTURBS.FIL data/MOONBITS.FIL build-fuzz/seeds/
	build-fuzz/coefficient_reader_fuzz -max_total_time=$(FUZZ_SECONDS) build-fuzz/corpus build-fuzz/seeds

clean:
	rm -rf build build-sanitize build-fuzz build-release
