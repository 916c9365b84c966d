#!/usr/bin/env bash
# Builds the libFuzzer targets of the project's own decoders with clang and runs each
# for a short time on a fresh seed corpus. Exits non-zero when a target crashes.
#   FUZZ_SECONDS  time per target (default 18, so a clean build and all runs stay under 3 minutes)
#   FUZZ_BUILD    build folder (default build-fuzz beside this script's repository)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-18}
targets=(bmp pcx hips ico gif jpeg exif)

cmake -S "$root" -B "$build" -DFSC_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j2 --target fuzz_make_seeds "${targets[@]/#/fuzz_}" >/dev/null

# Seeds are made fresh each run; what a run finds is kept in its own corpus folder.
rm -rf "$build/seeds"
"$build/fuzz/fuzz_make_seeds" "$build/seeds"

failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target/"
  mkdir -p "$corpus" "$artifacts"
  echo "fuzzing $target for ${seconds}s"
  if ! "$build/fuzz/fuzz_$target" "$corpus" "$build/seeds/$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$artifacts" -print_final_stats=0 >"$build/fuzz-$target.log" 2>&1; then
    echo "  CRASH: see $build/fuzz-$target.log and $artifacts" >&2
    tail -n 30 "$build/fuzz-$target.log" >&2
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets that crashed: ${failed[*]}" >&2
  exit 1
fi
echo "all fuzz targets ran without a crash"
