#!/usr/bin/env bash
# run_fuzzer.sh <fuzzer> <seed corpus> <work folder> <seconds>
set -euo pipefail
fuzzer=$1 seeds=$2 work=$3 seconds=$4
mkdir -p "$work/new" "$work/artifacts"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/new" "$seeds"
