#!/usr/bin/env bash
# Creates the Wine prefix in build/wine-prefix once, and keeps its font settings up to
# date, so that Chinese text looks as it does on a Chinese Windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
# Raise when the settings below change: existing prefixes then get them too.
settings_version=2
marker="$WINEPREFIX/.countdown-ready"
[ "$(cat "$marker" 2>/dev/null)" = "$settings_version" ] && exit 0

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1
fi
echo "setup: font settings of the Wine prefix"
# The dialog faces, mapped to a CJK face: small Chinese text in DEFAULT_GUI_FONT
# otherwise loses strokes.
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "SimSun" "宋体"; do
  wine reg add "$key" /v "$face" /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
done
# A font with no face name falls back to "Arial" first; without it Wine takes
# fontconfig's first Chinese sans face, WenQuanYi Zen Hei, whose gasp table turns off
# antialiasing from 9 to 16 px, so small glyphs lose strokes ("创" looks like "刂").
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
  /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
wineserver -w
echo "$settings_version" >"$marker"
