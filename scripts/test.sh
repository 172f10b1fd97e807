#!/usr/bin/env bash
# Builds the tool with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test and fuzz
# target; the benchmarks are compiled too (so they keep building) but not run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVANE_SANITIZE=ON -DKELVANE_BUILD_TESTS=ON -DKELVANE_BUILD_BENCH=ON >/dev/null
cmake --build build-test -j "$(nproc)"
ctest --test-dir build-test --output-on-failure -j "$(nproc)"
