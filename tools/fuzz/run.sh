#!/usr/bin/env bash
# Fuzzes, each for a bounded time, with libFuzzer (clang), outside the CMake
# build:
#     tools/fuzz/run.sh [SECONDS]        default 60, for each target
#   fuzz_decode_record   the record decoder; findings go to
#                        tools/fuzz/regressions/<name>
#   fuzz_realise_record  every record the decoder accepts, realised as a
#                        window on Qt's offscreen platform; findings go to
#                        tests/app/realise_regressions/<name>, which
#                        damaged_records_test also replays
# Each target is built into build/fuzz/, replays its saved regression inputs,
# then fuzzes from the committed seeds plus the two records the CMake build
# writes (build/<preset>/records/*.rec, when present). Exits non-zero if
# anything fails; the failing input is left in build/fuzz/artifacts/.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="${root}/build/fuzz"
here="${root}/tools/fuzz"
mkdir -p "${out}/artifacts" "${out}/corpus"
clangxx="${CLANGXX:-clang++}"

# shell/text holds the converter of each platform; this is Linux's (iconv).
codec=("${root}"/shell/record/*.cpp "${root}"/shell/text/codepage.cpp
       "${root}"/shell/text/codepage_iconv.cpp "${root}"/shell/model/*.cpp)
qt=("${root}"/shell/runtime/*.cpp "${root}"/shell/qt/*.cpp)

# build NAME "COMPILE FLAGS" "LINK FLAGS" SOURCE...: rebuilds only when a
# source changed, one compiler per core.
build() {
    local name="$1" compile="$2" link="$3"; shift 3
    local sources=("$@")
    local binary="${out}/${name}"
    if [[ -x "${binary}" ]] && [[ -z "$(find "${sources[@]}" "${root}/shell" -newer "${binary}" -name '*.[ch]*' 2>/dev/null | head -1)" ]]; then
        return 0
    fi
    echo "building ${binary}"
    local objects="${out}/objects/${name}"
    rm -rf "${objects}" && mkdir -p "${objects}"
    # shellcheck disable=SC2206 # pkg-config's flags, split into words
    local cflags=(-std=c++20 -O1 -g -fno-omit-frame-pointer
                  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
                  -I"${root}" ${compile})
    local i=0 source
    for source in "${sources[@]}"; do
        printf '%s\0%s\0' "${source}" "${objects}/$((i++))-$(basename "${source}" .cpp).o"
    done | xargs -0 -n 2 -P "$(nproc)" bash -c \
        'a=("$@"); n=${#a[@]}; exec "${a[@]:0:n-2}" -c "${a[n-2]}" -o "${a[n-1]}"' \
        _ "${clangxx}" "${cflags[@]}"
    # shellcheck disable=SC2086
    "${clangxx}" "${cflags[@]}" "${objects}"/*.o ${link} -o "${binary}"
}

# fuzz NAME REGRESSIONS_DIR [LIBFUZZER_FLAG...]
fuzz() {
    local name="$1" regressions_dir="$2"; shift 2
    local binary="${out}/${name}"
    shopt -s nullglob
    local regressions=("${regressions_dir}"/*)
    if (( ${#regressions[@]} > 0 )); then
        echo "${name}: replaying ${#regressions[@]} regression inputs"
        "${binary}" "$@" -runs=0 "${regressions[@]}" >/dev/null 2>"${out}/${name}.regressions.log" || {
            cat "${out}/${name}.regressions.log"; echo "a regression input fails"; return 1; }
    fi
    # Records run to 640 KB; -max_len leaves room to grow past them.
    local status=0
    "${binary}" "${out}/corpus" "$@" \
        -max_total_time="${seconds}" -max_len=1048576 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="${out}/artifacts/${name}-" -print_final_stats=1 >"${out}/${name}.log" 2>&1 ||
        status=$?
    grep -E '^(#[0-9]+[[:space:]]+(INITED|DONE)|==[0-9]+==|stat::(number_of_executed_units|average_exec_per_sec)|SUMMARY|realised windows)' \
        "${out}/${name}.log" | sed "s/^/${name}: /" || true
    if [[ "${status}" != 0 ]]; then
        echo "${name} found a failure (exit ${status}); see ${out}/${name}.log and ${out}/artifacts/"
        return 1
    fi
    echo "${name}: no failures in ${seconds} s"
}

cp -f "${here}"/corpus/* "${out}/corpus/"
for record in "${root}"/build/*/records/*.rec; do
    [[ -e "${record}" ]] || continue
    cp -f "${record}" "${out}/corpus/$(basename "$(dirname "$(dirname "${record}")")")-$(basename "${record}")"
done

build fuzz_decode_record "" "" "${here}/fuzz_decode_record.cpp" "${codec[@]}"
# Qt's headers want position-independent code; Qt itself is not
# instrumented, so its classes' type checks are left out.
build fuzz_realise_record "-fPIC -fno-sanitize=vptr $(pkg-config --cflags Qt6Widgets xcb)" \
    "$(pkg-config --libs Qt6Widgets xcb)" \
    "${here}/fuzz_realise_record.cpp" "${codec[@]}" "${qt[@]}"

# Leaks inside system libraries are not ours.
export LSAN_OPTIONS="suppressions=${root}/tests/lsan.supp${LSAN_OPTIONS:+:${LSAN_OPTIONS}}"
status=0
fuzz fuzz_decode_record "${here}/regressions" || status=1
# Qt keeps fonts and caches for the whole process: leaks are judged at exit
# only by the sanitizer builds of the tests, not per input here.
fuzz fuzz_realise_record "${root}/tests/app/realise_regressions" -detect_leaks=0 || status=1
exit "${status}"
