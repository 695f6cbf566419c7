#!/bin/sh
# Makes PREFIX a copy of $WINEPREFIX for scenarios that need a wine server of their own: one started with
# another LC_ALL (the prefix's ANSI code page follows it), or one whose screen has DPI dots per inch
# (LogPixels under HKCU\Control Panel\Desktop, which Wine reads when the server starts; the server that
# set it is ended here so that the scenario's own starts with it). Only the copy's server is ever ended.
# Usage: copy_prefix.sh PREFIX [DPI]
set -eu
copy=$1
dpi=${2:-}
wine=${WINELOADER:-wine}
WINEPREFIX=$copy wineserver -k 2>/dev/null || true
WINEPREFIX=$copy wineserver -w
rm -rf "$copy"
cp -a "$WINEPREFIX" "$copy"
if [ -n "$dpi" ]; then
    WINEPREFIX=$copy "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    WINEPREFIX=$copy wineserver -k 2>/dev/null || true
    WINEPREFIX=$copy wineserver -w
fi
