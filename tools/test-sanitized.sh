#!/bin/sh
# Builds the whole suite once more with AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-sanitize/) and runs it there.
set -eu
cd "$(dirname "$0")/.."
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1
LSAN_OPTIONS="suppressions=$(pwd)/tools/lsan.supp:print_suppressions=0"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Set for the build too: it runs a program of ours (the icon renderer).
export ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
cmake -S . -B build-sanitize -G Ninja -DTESSEL_SANITIZE=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure
