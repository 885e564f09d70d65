#!/usr/bin/env bash
# Makes a Wine prefix for running the Windows build: Wine's own set-up, then the Liberation
# fonts in the places of Arial, Times New Roman and Courier New, which they match metric for
# metric, so that text measures as a Windows machine's fonts would.
# Usage: make-wine-prefix.sh PREFIX   (PREFIX/.orvantide-ready marks a finished prefix)
set -euo pipefail
prefix=$(realpath -m "$1")
[ -f "$prefix/.orvantide-ready" ] && exit 0
rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine wineboot --init >/dev/null 2>&1
fonts="$prefix/drive_c/windows/Fonts"
cp /usr/share/fonts/truetype/liberation2/Liberation*.ttf "$fonts/"
replacements='HKCU\Software\Wine\Fonts\Replacements'
for pair in "Arial=Liberation Sans" "Times New Roman=Liberation Serif" "Courier New=Liberation Mono"; do
  wine reg add "$replacements" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done
wineserver --wait
touch "$prefix/.orvantide-ready"
