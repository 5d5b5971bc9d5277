#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 20) on its committed seed corpus.
# New inputs go to a scratch copy, not into the repository; a crash leaves its input in
# build/fuzz/artifacts/ and fails the run.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]     (targets: key_ring draw text script console_int)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}
shift || true
cmake --preset fuzz >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for d in tests/fuzz/corpus/*/; do targets+=("$(basename "$d")"); done
fi
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
mkdir -p build/fuzz/artifacts
status=0
for t in "${targets[@]}"; do
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/$t/." "$work/"
  echo "fuzz_$t: ${seconds}s"
  if ! build/fuzz/bin/fuzz_"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="build/fuzz/artifacts/${t}-" -print_final_stats=0 "$work" \
       >"build/fuzz/fuzz_$t.log" 2>&1; then
    echo "fuzz_$t FAILED; see build/fuzz/fuzz_$t.log" >&2
    tail -30 "build/fuzz/fuzz_$t.log" >&2
    status=1
  else
    grep -E '^Done [0-9]+ runs' "build/fuzz/fuzz_$t.log" || true
  fi
  rm -rf "$work"
done
exit $status
