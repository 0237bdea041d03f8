# SPDX-License-Identifier: MIT
# Quick start: `make run` starts the editor, `make test` runs every test.
PRESET ?= dev
BUILD  := build/$(PRESET)
JOBS   ?= $(shell nproc)

.PHONY: all setup configure build run test test-asan bench bench-web fuzz package clean

all: build

setup:
	@scripts/setup.sh

# Tests whose tools are missing are an error here, not left out: setup has installed them all.
configure: setup
	@cmake --preset $(PRESET) -DSYLVANODE_REQUIRE_TEST_TOOLS=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ ! -x $(BUILD)/src/app/sylvanode ]; then echo "The editor is not built yet." >&2; exit 1; fi
	@$(BUILD)/src/app/sylvanode

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

test-asan: setup
	@cmake --preset dev-asan -DSYLVANODE_REQUIRE_TEST_TOOLS=ON >/dev/null
	@cmake --build build/dev-asan -j $(JOBS)
	@ctest --test-dir build/dev-asan --output-on-failure -j $(JOBS)

bench: setup
	@cmake --preset release -DSYLVANODE_BUILD_BENCH=ON -DSYLVANODE_REQUIRE_TEST_TOOLS=ON >/dev/null
	@cmake --build build/release -j $(JOBS)
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b"; done
	@bench/load_process.sh build/release
	@$(MAKE) --no-print-directory bench-web

# The tree-menu library against its baseline in Chromium. The baseline (jsTree, jQuery) is installed
# here from bench/web's lockfile; the browser tests pin their own copy (tests/web), which loads the
# jstree export.
bench-web:
	@cd bench/web && if [ ! -f node_modules/.lock-stamp ] || ! cmp -s package-lock.json node_modules/.lock-stamp; then \
	  npm ci --no-audit --no-fund --loglevel=error && cp package-lock.json node_modules/.lock-stamp; fi
	@node bench/web/bench.mjs --cli build/release/src/sylvanode-cli

# The whole core is instrumented for coverage (fuzzer-no-link), not only the harnesses. The seeds are
# fuzz/corpus, the test fixtures' schemes and import sources (pages, Markdown, JSON, OPML, sitemaps)
# and the hostile XML files.
fuzz: setup
	@cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DSYLVANODE_CORE_ONLY=ON -DSYLVANODE_BUILD_TESTS=OFF \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
	@cmake --build build/fuzz -j $(JOBS)
	@for f in build/fuzz/fuzz/fuzz_*; do \
	  work=$$(mktemp -d); cp fuzz/corpus/* tests/fixtures/hostile-xml/* "$$work"/; \
	  find tests/fixtures/import -type f \( -name '*.htm*' -o -name '*.md' -o -name '*.json' -o -name '*.opml' -o -name '*.xml' \) \
	    -exec sh -c 'cp "$$1" "$$2/$$(echo "$$1" | tr / _)"' _ {} "$$work" \; ; \
	  for d in tests/fixtures/*/scheme.menu; do cp "$$d" "$$work/$$(basename $$(dirname $$d)).menu"; done; \
	  echo "== $$f"; "$$f" -max_total_time=60 -rss_limit_mb=2048 -max_len=65536 "$$work" || exit 1; \
	  rm -rf "$$work"; done

# A .deb built afresh with Debian's hardening flags, installed under /usr (build/package/*.deb), then
# checked by lintian. It needs only the build tools (no Node.js, npm or Chromium). The package is
# reproducible: every timestamp in it is SOURCE_DATE_EPOCH, by default the last commit's time (outside
# git the date of the changelog's newest entry), so two builds of one commit give the same bytes.
# The help file is left out: chmcmd writes the time of day into it (Help opens the HTML guide).
package: export SOURCE_DATE_EPOCH ?= $(shell { [ -e .git ] && git log -1 --format=%ct 2>/dev/null; } || \
  date -d "$$(sed -n 's/^ -- .*>  //p' packaging/changelog | head -n 1)" +%s)
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
# ccache's base_dir would put relative source paths into the debug information, and so change the
# build ids; without it the binaries are the same with or without ccache.
package: export CCACHE_BASEDIR =
package:
	@scripts/setup.sh package
	@rm -rf build/package
	@cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DSYLVANODE_BUILD_TESTS=OFF -DSYLVANODE_BUILD_BENCH=OFF -DSYLVANODE_HELP_FILE=OFF \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build build/package -j $(JOBS)
	@cd build/package && { cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }; }
	@lintian --display-info --pedantic --fail-on error,warning,info build/package/*.deb
	@ls build/package/*.deb

clean:
	rm -rf build
