#!/usr/bin/env bash
# Builds the fuzz targets with clang in a build folder of its own and runs
# each for FUZZ_SECONDS (default 60): the recipe reader on the sample recipes
# with a dictionary of the file's section and key names, the XML import on our
# exported recipes with a dictionary of XML and DTD markup, then the RTF reader
# on our templates with a dictionary of RTF control words. Fails on a crash.
#   FUZZ_SECONDS   how long to fuzz each target, in seconds
#   FUZZ_MAX_LEN   the largest input tried, in bytes (default 65536)
#   FUZZ_BUILD_DIR the build folder (default build-fuzz); the corpus it grows
#                  and any crashing input are kept there too
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SECS=${FUZZ_SECONDS:-60}
MAX_LEN=${FUZZ_MAX_LEN:-65536}
for v in SECS MAX_LEN; do
  if ! [[ ${!v} =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz.sh: FUZZ_${v/SECS/SECONDS} must be a whole number above 0, not '${!v}'" >&2
    exit 2
  fi
done
# What the fuzzer writes must never end up in a commit.
build_abs=$(realpath -m "$BUILD_DIR")
case "$build_abs/" in
  "$(pwd)"/*)
    if ! git check-ignore -q "${build_abs#"$(pwd)"/}/"; then
      echo "fuzz.sh: $BUILD_DIR lies in the repository and is not ignored by git; choose another FUZZ_BUILD_DIR" >&2
      exit 2
    fi
    ;;
esac

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DMOSTARIUM_FUZZ=ON -DMOSTARIUM_TESTS=OFF -DMOSTARIUM_BENCH=OFF
cmake --build "$BUILD_DIR" -j4 --target fuzz_recipe_reader fuzz_xml_import fuzz_rtf_reader

corpus="$BUILD_DIR/fuzz-corpus"
xml_corpus="$BUILD_DIR/fuzz-corpus-xml"
rtf_corpus="$BUILD_DIR/fuzz-corpus-rtf"
mkdir -p "$corpus" "$xml_corpus" "$rtf_corpus"
cp resources/Recepten/*.zlv "$corpus"/
cp tests/output/golden/*.xml "$xml_corpus"/
cp resources/Templates/*.rtf "$rtf_corpus"/
fuzz_dir="$(pwd)/fuzz"
cd "$BUILD_DIR"
# Without -len_control=0 libFuzzer grows its length limit from the largest
# sample (2 KB) so slowly that a short session never tries a longer input.
./fuzz/fuzz_recipe_reader -max_total_time="$SECS" -max_len="$MAX_LEN" -len_control=0 -dict="$fuzz_dir/recipe.dict" \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix=./fuzz- fuzz-corpus
./fuzz/fuzz_xml_import -max_total_time="$SECS" -max_len="$MAX_LEN" -len_control=0 -dict="$fuzz_dir/xml.dict" \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix=./fuzz-xml- fuzz-corpus-xml
# Qt's font caches, which the reader fills while it measures fonts, are no
# leak of ours (see fuzz/rtf-lsan.supp).
LSAN_OPTIONS="suppressions=$fuzz_dir/rtf-lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}" \
  exec ./fuzz/fuzz_rtf_reader -max_total_time="$SECS" -max_len="$MAX_LEN" -len_control=0 -dict="$fuzz_dir/rtf.dict" \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix=./fuzz-rtf- fuzz-corpus-rtf
