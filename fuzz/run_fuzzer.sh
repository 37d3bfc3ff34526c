#!/usr/bin/env bash
# Runs one fuzz target for a bounded time from a copy of its committed seeds, and
# reports how many inputs it tried. Any crash or failed check fails the run.
# usage: run_fuzzer.sh FUZZER SEEDS SECONDS WORKDIR
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3 work=$4
rm -rf "$work" && mkdir -p "$work/corpus"
cp "$seeds"/* "$work/corpus/"
cd "$work"
# Inputs may be longer than two of the largest units the code handles at once, a
# 64 KiB reply and a 64 KiB read, so the fuzzer also lives past both limits.
"$fuzzer" -max_total_time="$seconds" -max_len=140000 -print_final_stats=1 -rss_limit_mb=2048 corpus > fuzz.log 2>&1 \
  || { tail -50 fuzz.log; exit 1; }
grep -E "stat::number_of_executed_units|stat::peak_rss_mb" fuzz.log
echo "corpus: $(ls corpus | wc -l) inputs"
