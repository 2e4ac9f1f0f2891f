#!/usr/bin/env bash
# Times Vendral's gzip decompressor (bench/decompress, reading 64 KiB at a
# time as the line file does) against igzip -dc and gzip -dc on the same
# gzip -6 compressed multiFASTA file, side by side in one hyperfine run.
# The machine is shared: compare user + system time as much as wall time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup" --bench
export VENDRAL_BUILD_DIR=${VENDRAL_BUILD_DIR:-$root/build-bench}
VENDRAL_BUILD_TARGET="decompress make_fasta" "$root/scripts/build" \
  -DCMAKE_BUILD_TYPE=Release -DVENDRAL_BUILD_GUI=OFF -DVENDRAL_BUILD_TESTS=OFF
data="$root/bench/data"
mb=${BENCH_MEGABYTES:-300}
mkdir -p "$data"
plain="$data/bench-$mb.fa"
[ -s "$plain" ] || "$VENDRAL_BUILD_DIR/bench/make_fasta" "$plain" "$mb"
[ -s "$plain.gz" ] || gzip -6 -c "$plain" > "$plain.gz"
decompress="$VENDRAL_BUILD_DIR/bench/decompress"
# A timing of wrong bytes is worth nothing.
"$decompress" "$plain.gz" 64 --stdout 2>/dev/null | cmp - "$plain"
hyperfine -N --warmup 1 --runs "${BENCH_RUNS:-10}" \
  -n "vendral decompress (64 KiB reads)" "$decompress $plain.gz 64" \
  -n "igzip -dc" "igzip -dc $plain.gz" -n "gzip -dc" "gzip -dc $plain.gz" \
  | tee "$root/bench/results/decompress-gzip.txt"
