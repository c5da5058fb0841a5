#!/usr/bin/env bash
# Runs the whole suite again and again while every core is kept busy by other processes: 30
# times as built, then 5 times each under AddressSanitizer and ThreadSanitizer. A test that
# fails even once here is a flaky test. Prints one line per run and a total; the log of each
# failed run stays in its build folder. Usage: scripts/soak-tests.sh
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cores=$(nproc)

"$top/scripts/setup.sh" "$top/build" || exit 1
"$top/scripts/setup.sh" "$top/build-asan" -DQUORVANE_SANITIZE=address -DQUORVANE_BUILD_BENCH=OFF || exit 1
"$top/scripts/setup.sh" "$top/build-tsan" -DQUORVANE_SANITIZE=thread -DQUORVANE_BUILD_BENCH=OFF || exit 1

busy=()
stop_busy() {
  [ ${#busy[@]} -eq 0 ] || kill "${busy[@]}" 2>/dev/null
  wait 2>/dev/null
}
trap stop_busy EXIT
trap 'exit 130' INT TERM
for _ in $(seq "$cores"); do
  (while :; do :; done) &
  busy+=($!)
done

runs=0
failed=0
soak() {
  local name=$1 dir=$2 times=$3
  for i in $(seq "$times"); do
    runs=$((runs + 1))
    local log="$dir/soak-$name-$i.log" start=$SECONDS
    if (cd "$dir" && ctest -j"$cores" --output-on-failure >"$log" 2>&1); then
      printf '%-5s run %2d of %2d: passed (%ds)\n' "$name" "$i" "$times" $((SECONDS - start))
      rm -f "$log"
    else
      failed=$((failed + 1))
      printf '%-5s run %2d of %2d: FAILED (%ds): %s; log %s\n' "$name" "$i" "$times" $((SECONDS - start)) \
        "$(grep -E '^[[:space:]]+[0-9]+ - ' "$log" | sed -E 's/^[[:space:]]+[0-9]+ - //' | paste -sd, -)" "$log"
    fi
  done
}
soak plain "$top/build" 30
soak asan "$top/build-asan" 5
soak tsan "$top/build-tsan" 5

echo "soak: $runs runs with all $cores cores busy, $((runs - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
