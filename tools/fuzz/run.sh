#!/usr/bin/env bash
# Fuzzes the record decoder for a bounded time with libFuzzer (clang), outside
# the CMake build:
#     tools/fuzz/run.sh [SECONDS]        default 60
# Builds build/fuzz/fuzz_decode_record, first replays every saved regression
# input, then fuzzes from the committed seeds plus the two records the
# CMake build writes (build/<preset>/records/*.rec, when present). Exits
# non-zero if anything crashes; the crashing input is left in
# build/fuzz/artifacts/ for saving under tools/fuzz/regressions/<name>.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="${root}/build/fuzz"
here="${root}/tools/fuzz"
mkdir -p "${out}/artifacts" "${out}/corpus"

clangxx="${CLANGXX:-clang++}"
binary="${out}/fuzz_decode_record"
sources=("${here}/fuzz_decode_record.cpp" "${root}"/shell/record/*.cpp "${root}"/shell/text/*.cpp
         "${root}/shell/model/control_kind.cpp")
# Rebuild only when a source changed.
if [[ ! -x "${binary}" ]] || [[ -n "$(find "${sources[@]}" "${root}/shell" -newer "${binary}" -name '*.[ch]*' 2>/dev/null | head -1)" ]]; then
    echo "building ${binary}"
    "${clangxx}" -std=c++20 -O1 -g -fno-omit-frame-pointer \
        -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"${root}" "${sources[@]}" -o "${binary}"
fi

# Saved findings first: each must now run cleanly.
shopt -s nullglob
regressions=("${here}"/regressions/*)
if (( ${#regressions[@]} > 0 )); then
    echo "replaying ${#regressions[@]} regression inputs"
    "${binary}" -runs=0 "${regressions[@]}" >/dev/null 2>"${out}/regressions.log" || {
        cat "${out}/regressions.log"; echo "a regression input fails"; exit 1; }
fi

cp -f "${here}"/corpus/* "${out}/corpus/"
for record in "${root}"/build/*/records/*.rec; do
    cp -f "${record}" "${out}/corpus/$(basename "$(dirname "$(dirname "${record}")")")-$(basename "${record}")"
done

# Records run to 640 KB; -max_len leaves room to grow past them.
set +e
"${binary}" "${out}/corpus" \
    -max_total_time="${seconds}" -max_len=1048576 -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix="${out}/artifacts/" -print_final_stats=1 >"${out}/fuzz.log" 2>&1
status=$?
set -e
grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|==[0-9]+==|stat::(number_of_executed_units|average_exec_per_sec)|SUMMARY)' \
    "${out}/fuzz.log" || true
if [[ "${status}" != 0 ]]; then
    echo "the fuzzer found a failure (exit ${status}); see ${out}/fuzz.log and ${out}/artifacts/"
    exit 1
fi
echo "no failures in ${seconds} s"
