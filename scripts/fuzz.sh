#!/usr/bin/env bash
# Builds the libFuzzer targets (the project's own decoders and every reader of text from
# elsewhere) with clang and runs each for a short time on a fresh seed corpus, two at a time
# on the two cores. Exits non-zero when a target crashes, leaks or breaks a property it checks.
#   FUZZ_SECONDS  time per target (default 12: the 23 runs take about 2 minutes)
#   FUZZ_JOBS     targets run at once (default 2)
#   FUZZ_BUILD    build folder (default build-fuzz beside this script's repository)
#   FUZZ_TARGETS  the targets to run, separated by blanks (default all)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-12}
jobs=${FUZZ_JOBS:-2}
all="bmp pcx hips ico gif jpeg webp tiff heif raw exif template image_set project listing ftp_replies sync_manifest rtf comma_text pages history image_cache verified_pictures"
read -r -a targets <<<"${FUZZ_TARGETS:-$all}"

cmake -S "$root" -B "$build" -DFSC_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 --target fuzz_make_seeds "${targets[@]/#/fuzz_}" >/dev/null

# Several targets write their input to a scratch file for every run: on a disk that costs
# more than the reading under test, so the scratch folders go to memory where there is one.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

# Leaks inside Debian's libraries are not the targets' to fix.
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan-suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# Seeds are made fresh each run; what a run finds is kept in its own corpus folder.
rm -rf "$build/seeds"
"$build/fuzz/fuzz_make_seeds" "$build/seeds"

run() {
  local target=$1
  local corpus="$build/corpus/$target" artifacts="$build/artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  # Inputs that once crashed a target stay in the repository's seeds.
  local kept=()
  [ -d "$root/fuzz/seeds/$target" ] && kept=("$root/fuzz/seeds/$target")
  if "$build/fuzz/fuzz_$target" "$corpus" "$build/seeds/$target" "${kept[@]}" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$artifacts" -print_final_stats=0 >"$build/fuzz-$target.log" 2>&1; then
    echo "fuzzed $target for ${seconds}s"
  else
    echo "  CRASH in $target: see $build/fuzz-$target.log and $artifacts" >&2
    tail -n 30 "$build/fuzz-$target.log" >&2
    return 1
  fi
}

failed=()
pids=()
names=()
collect() {
  if ! wait "${pids[0]}"; then failed+=("${names[0]}"); fi
  pids=("${pids[@]:1}")
  names=("${names[@]:1}")
}
for target in "${targets[@]}"; do
  [ ${#pids[@]} -ge "$jobs" ] && collect
  run "$target" &
  pids+=($!)
  names+=("$target")
done
while [ ${#pids[@]} -gt 0 ]; do collect; done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets that crashed: ${failed[*]}" >&2
  exit 1
fi
echo "all fuzz targets ran without a crash"
