#!/bin/sh
# Makes PREFIX a copy of $WINEPREFIX whose screen has DPI dots per inch: LogPixels under
# HKCU\Control Panel\Desktop, which Wine reads when the prefix's wine server starts, so the server that set
# it is ended here and the scenario's own server starts with it. Only the copy's server is ever ended.
# Usage: dpi_prefix.sh PREFIX DPI
set -eu
copy=$1
dpi=$2
wine=${WINELOADER:-wine}
WINEPREFIX=$copy wineserver -k 2>/dev/null || true
WINEPREFIX=$copy wineserver -w
rm -rf "$copy"
cp -a "$WINEPREFIX" "$copy"
WINEPREFIX=$copy "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
WINEPREFIX=$copy wineserver -k 2>/dev/null || true
WINEPREFIX=$copy wineserver -w
