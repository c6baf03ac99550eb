#!/bin/sh
# Builds the libFuzzer targets with clang++ in build/fuzz and runs each one
# for SECONDS (default 60), starting from its committed corpus.
#
#   tests/fuzz/run-fuzzers.sh [SECONDS] [--update-corpus]
#
# New inputs go to build/fuzz/corpus/<target>, never straight into the
# committed corpus; --update-corpus then minimises the committed corpus and
# the new inputs together (-merge=1) into tests/fuzz/corpus/<target>.
# A crash stops the script with the fuzzer's exit code; the reproducer is
# left in build/fuzz/artifacts/.
set -eu

seconds=60
update=no
for argument in "$@"; do
  case "$argument" in
    --update-corpus) update=yes ;;
    *[!0-9]*|'') echo "usage: $0 [SECONDS] [--update-corpus]" >&2; exit 2 ;;
    *) seconds=$argument ;;
  esac
done

root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/fuzz"
targets="fold_and_parse handlers"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="${CXX:-clang++}" -DQUENDREL_FUZZ=ON >/dev/null
for target in $targets; do
  cmake --build "$build" --target "${target}_fuzzer"
done

mkdir -p "$build/artifacts"
for target in $targets; do
  committed="$root/tests/fuzz/corpus/$target"
  scratch="$build/corpus/$target"
  mkdir -p "$committed" "$scratch"
  echo "== $target: $seconds s"
  "$build/tests/fuzz/${target}_fuzzer" "$scratch" "$committed" \
    -dict="$root/tests/fuzz/texts.dict" -max_total_time="$seconds" -max_len=256 \
    -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1
  if [ "$update" = yes ]; then
    merged="$build/merged/$target"
    rm -rf "$merged"
    mkdir -p "$merged"
    "$build/tests/fuzz/${target}_fuzzer" -merge=1 "$merged" "$committed" "$scratch"
    rm -f "$committed"/*
    cp "$merged"/* "$committed"/
    echo "== $target: $(ls "$committed" | wc -l) corpus files"
  fi
done
