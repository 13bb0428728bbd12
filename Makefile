# Vellichorns: `make run` builds and starts the game, `make test` builds and runs every test.
# Each first installs whatever Debian packages it needs that are missing (as root, or
# through sudo): `make run` only what building and playing the game takes, `make test`
# the test tools as well, `make package` the packaging tools as well.

BUILD ?= build
JOBS  ?= $(shell nproc)

# Building and playing: the compiler, CMake, the libraries the game links, and
# Cairo, libjpeg and the Vorbis encoder that the content tools in tools/ link.
RUN_PACKAGES = build-essential cmake pkg-config ccache \
               libsdl2-dev libsdl2-image-dev libfreetype-dev libopenal-dev libvorbis-dev \
               zlib1g-dev libjpeg-dev libcairo2-dev
# Building the tests and benchmarks (GTest's CMake files name gmock as well).
TESTLIB_PACKAGES = libgtest-dev libgmock-dev libbenchmark-dev
# Making the Debian package: CPack's DEB generator works out the dependencies
# with `file` and dpkg-shlibdeps.
PACKAGING_PACKAGES = file dpkg-dev
# The sanitized build (`make sanitize`, `make fuzz`): clang with its sanitizer
# and libFuzzer runtimes.
SANITIZE_PACKAGES = $(RUN_PACKAGES) $(TESTLIB_PACKAGES) clang libclang-rt-14-dev
# The whole suite: the sanitized build too, and the packaging checks build the
# package and validate it with desktop-file-validate, appstreamcli and lintian.
TEST_PACKAGES = $(SANITIZE_PACKAGES) $(PACKAGING_PACKAGES) desktop-file-utils appstream lintian

# Every target that configures $(BUILD) says how, so that none inherits what the
# one before left in the cache: warnings as errors (VC_WERROR) only for `make test`,
# and the tests and benchmarks (BUILD_TESTING) only for `make test` and `make bench`.
# The defaults here are those of configure, build, run, install and package; only
# the entry targets below change them (a prerequisite's own value would win).
PACKAGES = $(RUN_PACKAGES)
CMAKE_FLAGS = -DVC_WERROR=OFF -DBUILD_TESTING=OFF
test: PACKAGES = $(TEST_PACKAGES)
test: CMAKE_FLAGS = -DVC_WERROR=ON -DBUILD_TESTING=ON
bench: PACKAGES = $(RUN_PACKAGES) $(TESTLIB_PACKAGES)
bench: CMAKE_FLAGS = -DVC_WERROR=OFF -DBUILD_TESTING=ON
package: PACKAGES = $(RUN_PACKAGES) $(PACKAGING_PACKAGES)

# The compiler cache lives in the build folder unless one is given, so a build
# writes nothing into the home folder.
export CCACHE_DIR ?= $(abspath $(BUILD))/ccache

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build run test bench install clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/vellichorns

# `make test` builds as CI does, with warnings as errors, and runs the suite;
# then `make sanitize` builds everything again with clang and the sanitizers
# and runs the suite there too.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300
	$(MAKE) sanitize

# ---- sanitizers and fuzzing ------------------------------------------------------
# `make sanitize` builds the game, its tests, tools and fuzz targets with clang
# (Debug, warnings as errors) under AddressSanitizer and UndefinedBehaviorSanitizer
# in $(SANITIZE_BUILD), and runs the suite there (without the packaging checks,
# with a short run of every fuzz target). `make fuzz` runs every fuzz target for
# FUZZ_SECONDS each (FUZZ_TARGETS="pak settings" picks some); not part of `make test`.
SANITIZE_BUILD ?= $(BUILD)/sanitize
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?=
.PHONY: sanitize sanitize-configure sanitize-build fuzz

sanitize-configure: PACKAGES = $(SANITIZE_PACKAGES)
sanitize-configure: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=Debug -DVC_SANITIZE=ON -DVC_WERROR=ON -DBUILD_TESTING=ON

sanitize-build: sanitize-configure
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

sanitize: sanitize-build
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

fuzz: sanitize-configure
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_TARGETS="$(FUZZ_TARGETS)" cmake --build $(SANITIZE_BUILD) --target fuzz

bench: build
	$(BUILD)/bench/vellichorns_bench

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD)

# ---- packaging: `make package` builds the Debian package into $(BUILD) ----------
# `make test` validates the desktop entry and metadata and runs lintian on the package.
.PHONY: package
package: build
	cmake --build $(BUILD) --target package
