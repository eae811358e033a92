#!/usr/bin/env bash
# Builds the tag parser's libFuzzer target with clang (fuzzer + address and
# undefined-behaviour sanitizers) and runs it for N seconds (default 60),
# seeded with the fixtures in tests/data/taglib-corpus.  New inputs go to
# build-fuzz/corpus; a crash is written to build-fuzz/ (crash-*): copy it into
# tests/data/taglib-corpus, where the replay test runs it from then on.
#
# usage: scripts/fuzz-taglib.sh [SECONDS] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
out=build-fuzz
mkdir -p "$out/corpus"
CXX="${CXX:-clang++}"
"$CXX" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Itaglib/include -Itaglib/src -Ifoundation/codec \
  taglib/fuzz/FuzzTagParser.cpp taglib/src/*.cpp -o "$out/fuzz_taglib"
cd "$out"
./fuzz_taglib -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=./ "$@" corpus ../tests/data/taglib-corpus
