# Vellichorns: `make run` builds and starts the game, `make test` builds and runs every test.
# Both first install whatever Debian packages are missing (as root, or through sudo).

BUILD ?= build
JOBS  ?= $(shell nproc)
PACKAGES = build-essential cmake pkg-config ccache \
           libsdl2-dev libsdl2-image-dev libfreetype-dev libopenal-dev libvorbis-dev \
           zlib1g-dev libcairo2-dev libgtest-dev libgmock-dev libbenchmark-dev \
           fonts-crosextra-carlito xvfb xauth clang libclang-rt-14-dev libjpeg-dev

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

# `make test` builds as CI does, with warnings as errors, and runs the suite;
# then `make sanitize` builds everything again with clang and the sanitizers
# and runs the suite there too. Other targets leave warnings as configured.
CMAKE_FLAGS =
test: CMAKE_FLAGS = -DVC_WERROR=ON

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/vellichorns

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

sanitize-configure: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=Debug -DVC_SANITIZE=ON -DVC_WERROR=ON

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
# The tests validate the desktop entry and metadata and run lintian on the package.
PACKAGES += desktop-file-utils appstream lintian
.PHONY: package
package: build
	cmake --build $(BUILD) --target package
