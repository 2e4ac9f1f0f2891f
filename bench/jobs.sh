#!/usr/bin/env bash
# Many sources in one command: vendral-cli gc on BENCH_JOBS_SOURCES sources
# (default 16) of BENCH_JOBS_MEGABYTES each (default 20), with -j 2 against
# -j 1 and against GNU parallel running the same one-source commands with 2
# jobs. Each round is one hyperfine call with the three in turn
# (BENCH_RUNS rounds, default 5); prints the medians and the ratios.
# Usage: bench/jobs.sh [BUILD]   (default: $VENDRAL_BUILD_DIR or build/;
# it needs BUILD/src/cli/vendral-cli and BUILD/bench/make_fasta)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${VENDRAL_BUILD_DIR:-$root/build}}
cli=$build/src/cli/vendral-cli
count=${BENCH_JOBS_SOURCES:-16}
megabytes=${BENCH_JOBS_MEGABYTES:-20}
rounds=${BENCH_RUNS:-5}
for tool in hyperfine parallel python3; do
  command -v "$tool" >/dev/null || { echo "jobs.sh: $tool is missing (scripts/setup --bench)" >&2; exit 1; }
done
data=$root/bench/data/jobs
mkdir -p "$data"
# Different sources, so that no run reads another's bytes from the cache.
sources=()
for i in $(seq 1 "$count"); do
  file=$data/s$i-$megabytes.fa
  [ -s "$file" ] || "$build/bench/make_fasta" "$file" "$megabytes" dna60 >/dev/null
  sources+=("$file")
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
list="$out/sources"
printf '%s\n' "${sources[@]}" > "$list"
one="$cli gc ${sources[*]} -o $out/one"
two="$cli gc ${sources[*]} -o $out/two -j 2"
peer="parallel -j 2 $cli gc {} -o $out/parallel :::: $list"
for round in $(seq 1 "$rounds"); do
  # The order turns from round to round, so that all share the machine's load.
  case $((round % 3)) in
    0) order=("$one" "$two" "$peer") ;;
    1) order=("$two" "$peer" "$one") ;;
    2) order=("$peer" "$one" "$two") ;;
  esac
  hyperfine --runs 1 --style none --export-json "$out/round$round.json" "${order[@]}" >/dev/null 2>&1
done
python3 - "$out" "$rounds" "$one" "$two" "$peer" <<'PY'
import json, statistics, sys
folder, rounds, one, two, peer = sys.argv[1], int(sys.argv[2]), *sys.argv[3:]
times = {one: [], two: [], peer: []}
for r in range(1, rounds + 1):
    for result in json.load(open(f"{folder}/round{r}.json"))["results"]:
        times[result["command"]].append(result["mean"])
ratios = lambda a, b: statistics.median(x / y for x, y in zip(times[a], times[b]))
for name, command in (("-j 1", one), ("-j 2", two), ("parallel -j 2", peer)):
    print(f"{name:14} median {statistics.median(times[command]) * 1000:8.0f} ms")
print(f"-j 2 / -j 1          {ratios(two, one):.2f}")
print(f"-j 2 / parallel -j 2 {ratios(two, peer):.2f}")
PY
