#!/usr/bin/env bash
# One fuzz run, as the fuzz preset's tests make it (tools/fuzz/CMakeLists.txt):
#   run.sh BINARY SECONDS REGRESSIONS OUT SEED... [-- LIBFUZZER_FLAG...]
# Replays every input in REGRESSIONS, then fuzzes for SECONDS from the SEEDs
# (files, or folders of them) in OUT/corpus/<target>/. Exits non-zero on any
# failure, leaving the input in OUT/artifacts/.
set -euo pipefail

binary="$1" seconds="$2" regressions_dir="$3" out="$4"
shift 4
seeds=()
while (( $# > 0 )) && [[ "$1" != "--" ]]; do
    seeds+=("$1")
    shift
done
(( $# > 0 )) && shift
name="$(basename "${binary}")"
corpus="${out}/corpus/${name}"
mkdir -p "${out}/artifacts" "${corpus}"
for seed in "${seeds[@]}"; do
    if [[ -d "${seed}" ]]; then
        cp -f "${seed}"/* "${corpus}/"
    else
        cp -f "${seed}" "${corpus}/"
    fi
done

shopt -s nullglob
regressions=("${regressions_dir}"/*)
if (( ${#regressions[@]} > 0 )); then
    echo "${name}: replaying ${#regressions[@]} regression inputs"
    "${binary}" "$@" -runs=0 "${regressions[@]}" >/dev/null 2>"${out}/${name}.regressions.log" || {
        cat "${out}/${name}.regressions.log"; echo "a regression input fails"; exit 1; }
fi
# Records run to 640 KB; -max_len leaves room to grow past them.
status=0
"${binary}" "${corpus}" "$@" \
    -max_total_time="${seconds}" -max_len=1048576 -timeout=10 -rss_limit_mb=4096 \
    -artifact_prefix="${out}/artifacts/${name}-" -print_final_stats=1 >"${out}/${name}.log" 2>&1 ||
    status=$?
grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|==[0-9]+==|stat::(number_of_executed_units|average_exec_per_sec)|SUMMARY|realised windows)' \
    "${out}/${name}.log" | sed "s/^/${name}: /" || true
if [[ "${status}" != 0 ]]; then
    echo "${name} found a failure (exit ${status}); see ${out}/${name}.log and ${out}/artifacts/"
    exit 1
fi
echo "${name}: no failures in ${seconds} s"
