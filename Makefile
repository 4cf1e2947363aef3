# The whole set-up on a fresh Debian machine:
#   make run   installs what is missing, builds, and starts ZeltaIII on the shipped data
#   make test  installs what is missing, builds with AddressSanitizer and UBSan, runs every test
#   make package  installs what is missing, builds the Debian package and checks it with lintian

PACKAGES := build-essential cmake ninja-build pkg-config \
            qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools libqt6uitools6 \
            libqt6opengl6-dev qt6-qpa-plugins libqt6printsupport6 libqt6network6 libgl-dev \
            libssl-dev openssl libgtest-dev libgmock-dev libbenchmark-dev ngspice \
            poppler-utils desktop-file-utils locales qt6-svg-dev \
            fonts-liberation2 fonts-ipafont-mincho fonts-ipafont-gothic fonts-dejavu-core \
            dpkg-dev file lintian appstream

BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

PACKAGE_BUILD_DIR ?= build-package
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_HARNESSES := catalogue library settings version

.PHONY: run test deps build build-test bench package fuzz fuzz-merge clean

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELTA_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-test: deps
	cmake -S . -B $(TEST_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZELTA_SANITIZE=ON \
	      -DZELTA_WERROR=ON -DZELTA_BUILD_BENCHMARKS=OFF
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)

test: build-test
	cd $(TEST_BUILD_DIR) && \
	  QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/bin/ZeltaIII ] && [ -f product/cap.vorn ]; then \
	  if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	    echo "make run: no display (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session, or use $(BUILD_DIR)/bin/zeltacli"; \
	    exit 1; \
	  fi; \
	  cd product && exec ../$(BUILD_DIR)/bin/ZeltaIII; \
	else \
	  $(BUILD_DIR)/bin/zeltacli --data tests/fixtures/store/good check; \
	fi

bench: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELTA_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS) --target zelta_bench
	$(BUILD_DIR)/bin/zelta_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# The Debian package zeltaiii_<version>_<arch>.deb in $(PACKAGE_BUILD_DIR)/: a Release build with
# Debian's hardening flags, packed by CPack (dependencies from dpkg-shlibdeps), then checked
# with lintian (no error, no warning that is not overridden with its reason), appstreamcli and
# desktop-file-validate.
package: deps
	cmake -S . -B $(PACKAGE_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELTA_BUILD_TESTS=OFF \
	      -DZELTA_BUILD_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX=/usr \
	      "-DCMAKE_CXX_FLAGS=$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	      "-DCMAKE_EXE_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now" \
	      "-DCMAKE_SHARED_LINKER_FLAGS=$$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now"
	cmake --build $(PACKAGE_BUILD_DIR) -j $(JOBS)
	rm -f $(PACKAGE_BUILD_DIR)/zeltaiii_*.deb
	cd $(PACKAGE_BUILD_DIR) && cpack -G DEB
	desktop-file-validate packaging/example.vorn_components.ZeltaIII.desktop
	appstreamcli validate --no-net packaging/example.vorn_components.ZeltaIII.metainfo.xml
	lintian --fail-on error,warning \
	        $(PACKAGE_BUILD_DIR)/zeltaiii_*.deb
	@ls -l $(PACKAGE_BUILD_DIR)/zeltaiii_*.deb

# Each libFuzzer harness for FUZZ_SECONDS with ASan and UBSan, seeded from the committed
# corpus tests/fuzz/<harness>/; what it finds new stays in $(FUZZ_BUILD_DIR)/corpus/.
# `make fuzz-merge` folds the entries that add coverage into the committed corpus.
fuzz: deps
	@missing=""; for p in clang libclang-rt-14-dev; do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DZELTA_SANITIZE=ON -DZELTA_FUZZ=ON -DZELTA_BUILD_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_HARNESSES))
	@set -e; for h in $(FUZZ_HARNESSES); do \
	  mkdir -p $(FUZZ_BUILD_DIR)/corpus/$$h; \
	  echo "== fuzz_$$h for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD_DIR)/bin/fuzz_$$h -max_total_time=$(FUZZ_SECONDS) -timeout=10 -max_len=8192 \
	    -artifact_prefix=$(FUZZ_BUILD_DIR)/ $(FUZZ_BUILD_DIR)/corpus/$$h tests/fuzz/$$h; \
	done

fuzz-merge:
	@set -e; for h in $(FUZZ_HARNESSES); do \
	  $(FUZZ_BUILD_DIR)/bin/fuzz_$$h -merge=1 -use_counters=0 -max_len=2048 tests/fuzz/$$h $(FUZZ_BUILD_DIR)/corpus/$$h; \
	done

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(FUZZ_BUILD_DIR)
