# The two set-up commands: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

PREFIX ?= /usr/local

.PHONY: all deps build run test test-asan fuzz bench mutate install package format clean

all: build

deps:
	./scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/pendrel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_BUILD ?= build-asan
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPENDREL_SANITIZE=ON \
	    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# Fuzzes the log reader and the settings conversions for FUZZ_SECONDS each (default 60).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	./scripts/install-deps fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DPENDREL_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./fuzz/run $(FUZZ_BUILD)

# Plants each fault of scripts/mutations.txt in a private copy and runs the suite against it.
mutate: deps
	./scripts/install-deps mutate
	./scripts/mutate $(CURDIR)/build-mutate

bench: deps $(BUILD)/build.ninja
	./scripts/install-deps bench
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	./bench/run $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, built from a copy of the tree in $(BUILD)/package; the .deb lands in $(BUILD).
package: deps
	./scripts/install-deps package
	./scripts/build-package $(BUILD)/package -J$(JOBS)
	cp $(BUILD)/package/pendrel_*.deb $(BUILD)/
	lintian --fail-on error,warning $(BUILD)/package/pendrel_*.changes

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
