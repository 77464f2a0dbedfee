#!/usr/bin/env bash
# CI: the HTML page in a real browser. Installs Debian's Chromium and
# Node.js with npm where they are missing, builds the programs that write
# the test's inputs, its report and its page, installs the test's npm
# packages exactly as locked (puppeteer-core, which downloads no browser)
# and runs tests/browser/page.test.mjs against /usr/bin/chromium, offline.
# Expects the build tools and libjs-chart.js that .ci/run installs.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  missing=()
  command -v chromium >/dev/null || missing+=(chromium)
  command -v node >/dev/null || missing+=(nodejs)
  command -v npm >/dev/null || missing+=(npm)
  if [ ${#missing[@]} -gt 0 ]; then
    start=$SECONDS
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    echo "== installed ${missing[*]} in $((SECONDS - start)) s"
  fi
fi

echo "== browser test ($(chromium --version 2>/dev/null | head -1), node $(node --version))"
# The folder and build type of ./run-tests, so that CI compiles only once.
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target wusreport wus_browser_inputs
cd tests/browser
PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
start=$SECONDS
WUS_BUILD="$PWD/../../$build" CHROMIUM="$(command -v chromium)" node --test page.test.mjs
echo "== browser test took $((SECONDS - start)) s"
