#!/usr/bin/env bash
# The window records the program embeds are encoded on the build machine. The
# same encoder built for Windows, run under Wine, must write the same bytes:
#   records_match.sh WINE_SH PREFIX ENCODER.exe FORM1.rec FORM2.rec
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 WINE_SH PREFIX ENCODER.exe FORM1.rec FORM2.rec" >&2; exit 2; }
wine_sh=$(realpath "$1") prefix=$(realpath -m "$2") encoder=$(realpath "$3")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Relative names: the encoder, a Windows program, is given no Unix paths.
(cd "$work" && bash "$wine_sh" "$prefix" "$encoder" Form1.rec Form2.rec)
cmp "$4" "$work/Form1.rec" && cmp "$5" "$work/Form2.rec"
