#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there with leak detection on.
# Any report from our own code fails the run; the suppression file names only
# libraries of the system that leak by design.  Not part of CI (it is slow):
# run it by hand.  Usage: scripts/test-sanitizers.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${SV_SANITIZER_JOBS:-6}

# Applies to the build too: the skin generator runs during the build.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:allocator_may_return_null=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitizer-suppressions.txt:print_suppressions=0"

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan -j "$jobs"
cd build-asan
ctest --output-on-failure -j "$jobs" --timeout 900 "$@"
