#!/bin/sh
# Runs one libFuzzer target on its seeds:
#   run_fuzzer.sh <fuzzer> <seeds> <work> <longest input> <seconds> fresh|keep
# The seeds are copied into the work folder, which the fuzzer reads and adds
# its new inputs to; "fresh" empties it first, "keep" carries on from the last
# run. Seconds "-" means $FUZZ_SECONDS, or 600. With "keep", a fuzzer whose
# name (without "fuzz_") is not in $FUZZ_TARGETS, when that is set, is skipped.
# The game's own messages on standard error are dropped; the fuzzer's and the
# sanitizers' reports stay. An input that crashes, leaks or hangs is written beside the work folder as
# <fuzzer>-crash-<hash> (or leak-, timeout-, oom-); once the fault is fixed it
# belongs in the seeds.
set -e
fuzzer=$1 seeds=$2 work=$3 max_len=$4 seconds=$5 mode=$6
name=$(basename "$fuzzer")
if [ "$mode" = keep ] && [ -n "$FUZZ_TARGETS" ]; then
  case " $FUZZ_TARGETS " in
    *" ${name#fuzz_} "*) ;;
    *) exit 0 ;;
  esac
fi
[ "$seconds" = - ] && seconds=${FUZZ_SECONDS:-600}
[ "$mode" = fresh ] && rm -rf "$work"
mkdir -p "$work"
cp "$seeds"/* "$work"/
echo "$name: ${seconds} s on $(ls "$work" | wc -l) inputs in $work"
exec "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 -timeout=30 \
  -print_final_stats=1 -close_fd_mask=2 -artifact_prefix="$(dirname "$work")/$name-" "$work"
