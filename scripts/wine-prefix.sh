#!/usr/bin/env bash
# Creates the Wine prefix in build/wine-prefix once, with the dialog fonts mapped to a
# CJK face so that small Chinese text looks as it does on a Chinese Windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
marker="$WINEPREFIX/.countdown-ready"
[ -f "$marker" ] && exit 0

echo "setup: creating the Wine prefix in $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "SimSun" "宋体"; do
  wine reg add "$key" /v "$face" /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
done
wineserver -w
touch "$marker"
