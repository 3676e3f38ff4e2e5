# Sourced: the environment every Wine run of this project uses. The prefix lives in the
# build tree, never in ~/.wine; the Chinese locale gives the ANSI code page 936 (GBK).
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="${WINEPREFIX:-$root/build/wine-prefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko prompts; no USB/HID bus drivers burning CPU in the background.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winebus.sys=d;wineusb.sys=d}"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
