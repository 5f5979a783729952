#!/usr/bin/env bash
# Sets up a fresh machine, builds with warnings as errors, and runs every test: once plainly
# (shuffled, then again under a German locale), once under AddressSanitizer and
# UndefinedBehaviorSanitizer, fuzzes each reader for a minute (clang, libFuzzer, under both
# sanitizers), checks the installed layout and the Debian package, and checks the formatting of
# the sources.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
jobs=$(nproc)

cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
ctest --preset ci -j "$jobs"
LC_ALL=de_DE.UTF-8 ctest --test-dir build/ci -j "$jobs" --output-on-failure
./scripts/install-check.sh build/ci

cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

./scripts/fuzz.sh 60

if command -v clang-format >/dev/null; then
    git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
fi
echo "All tests passed."
