#!/usr/bin/env bash
# Packs the Windows program into FOLDER and FOLDER.zip: the program, the toolkit's DLLs and the
# platform and style plug-ins it loads, the C++ run time's DLLs, and the pictures. Every DLL
# that a file in the folder imports is checked to lie in the folder or to come with Windows.
# Usage: package.sh PROGRAM QT_PREFIX RESOURCES GCC_RUNTIME_DIR WINPTHREAD_DIR FOLDER
set -euo pipefail
program=$1 qt=$2 resources=$3 gcc_runtime=$4 winpthread=$5 folder=$6
strip=x86_64-w64-mingw32-strip
objdump=x86_64-w64-mingw32-objdump

rm -rf "$folder" "$folder.zip"
mkdir -p "$folder/platforms" "$folder/styles" "$folder/resources"
cp "$program" "$folder/"
for module in Core Gui Widgets PrintSupport; do cp "$qt/bin/Qt6$module.dll" "$folder/"; done
cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
cp "$gcc_runtime/libstdc++-6.dll" "$gcc_runtime/libgcc_s_seh-1.dll" "$winpthread/libwinpthread-1.dll" "$folder/"
cp "$resources"/*.png "$folder/resources/"
find "$folder" -name '*.exe' -o -name '*.dll' | xargs "$strip" --strip-unneeded

# DLLs that every Windows 10 and 11 machine has.
system_dlls=" advapi32 authz comdlg32 d3d11 d3d12 d3d9 dwmapi dwrite dxgi gdi32 imm32 kernel32 \
mpr msvcrt netapi32 ole32 oleaut32 opengl32 setupapi shcore shell32 shlwapi user32 userenv uxtheme \
version winmm winspool.drv ws2_32 wtsapi32 "
missing=""
while IFS= read -r file; do
  for dll in $("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
    lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
    case "$lower" in api-ms-win-*) continue ;; esac
    [ -e "$folder/$dll" ] && continue
    [[ "$system_dlls" == *" ${lower%.dll} "* || "$system_dlls" == *" $lower "* ]] && continue
    missing="$missing $(basename "$file"):$dll"
  done
done < <(find "$folder" -name '*.exe' -o -name '*.dll')
if [ -n "$missing" ]; then
  echo "package.sh: DLLs neither packed nor part of Windows:$missing" >&2
  exit 1
fi

(cd "$(dirname "$folder")" && zip -q -r -X "$(basename "$folder").zip" "$(basename "$folder")")
echo "$folder.zip: $(du -k "$folder.zip" | cut -f1) KiB"
