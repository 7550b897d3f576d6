#!/usr/bin/env bash
# The window records the program embeds are encoded on the build machine. The
# same encoder built for Windows, run under Wine, must write the same bytes:
#   records_match.sh WINE_SH PREFIX ENCODER.exe FORM1.rec FORM2.rec
set -euo pipefail
if [ $# -ne 5 ]; then
    echo "usage: $0 WINE_SH PREFIX ENCODER.exe FORM1.rec FORM2.rec" >&2
    exit 2
fi
wine_sh=$(realpath "$1") prefix=$(realpath -m "$2") encoder=$(realpath "$3")
embedded=("$4" "$5")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Relative names: the encoder, a Windows program, is given no Unix paths.
status=0
(cd "$work" && bash "$wine_sh" "$prefix" "$encoder" Form1.rec Form2.rec) || status=$?
if [ $status -ne 0 ]; then
    [ $status -eq 77 ] || echo "the Windows encoder ended with status $status"
    exit $status
fi
mismatches=0
for i in 0 1; do
    written="$work/Form$((i + 1)).rec"
    if ! cmp "${embedded[$i]}" "$written"; then
        echo "${embedded[$i]}: $(stat -c %s "${embedded[$i]}") bytes from the build machine's" \
             "encoder, $(stat -c %s "$written") from the Windows encoder"
        mismatches=$((mismatches + 1))
    fi
done
exit $((mismatches > 0))
