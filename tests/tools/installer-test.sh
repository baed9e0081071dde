#!/usr/bin/env bash
# The release files and the installer, tested for real:
#   installer-test.sh <Pellaro.exe> <work folder>
# Makes the release files with tools/installer/make-dist.sh and checks them: the zip, the
# checksums, the program they carry - the built one without its debug information - and the
# separate debug file, which must be the one that program names (debug link and CRC) and
# whose build id it shares, and which reads the program's addresses; the package manifests
# against their schemas (tools/installer/validate-manifests.py). Then it runs the installer and the uninstaller silently under Wine in a prefix of
# the work folder's own (with its own HOME, so no file of the real user is ever touched):
#  1. for the current user with the default choices: the program, the uninstaller, the
#     Start-menu shortcut, the Run entry and the "Apps & features" record are there; the
#     silent uninstaller removes them all and keeps the settings file;
#  2. for all users without shortcut and Run entry (/NOSTARTMENU /NOAUTOSTART): neither is
#     made, a Run entry of another copy of the program survives the uninstaller, and the
#     uninstaller's /REMOVESETTINGS removes the settings file and an interrupted save's
#     leftover.
# Between the two, a running Pellaro keeps the silent installer from replacing it and the
# silent uninstaller from removing anything.
# Needs a display (Pellaro's windows).
# Prints every failed check and exits non-zero when there was one.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ $# -ne 2 ]; then
  echo "usage: $0 <Pellaro.exe> <work folder>" >&2
  exit 2
fi
exe=$1
work=$2
source "$here/checks.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "FAILED: no display (run under xvfb-run, as scripts/test.sh does)"
  exit 1
fi
rm -rf "$work"
mkdir -p "$work"
dist="$work/dist"

# --- The release files ---------------------------------------------------------------------
if ! bash "$root/tools/installer/make-dist.sh" "$exe" "$dist"; then
  echo "FAILED: the release files could not be made"
  exit 1
fi
version=$(bash "$root/tools/installer/exe-version.sh" "$exe")
while [[ $version == *.*.0 ]]; do version=${version%.0}; done
setup="$dist/Pellaro-$version-setup.exe"
portable="$dist/Pellaro-$version-portable.zip"
debug="$dist/Pellaro-$version.debug"
check "the installer is named after the program's version $version" test -f "$setup"
check "the portable zip is named after the program's version" test -f "$portable"
check "SHA256SUMS matches every release file" \
  bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"
listed=$(cut -d'*' -f2 "$dist/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')
check "SHA256SUMS lists the debug file, the installer and the zip, nothing else" \
  test "$listed" = "$(basename "$portable") $(basename "$setup") $(basename "$debug") "
entries=$(unzip -Z1 "$portable" | LC_ALL=C sort | tr '\n' ' ')
check "the zip holds the program, the read-me and the licence in one folder" \
  test "$entries" = "Pellaro-$version/ Pellaro-$version/LICENSE.txt Pellaro-$version/Pellaro.exe Pellaro-$version/README.txt "
release_exe="$work/Pellaro.exe"
unzip -p "$portable" "Pellaro-$version/Pellaro.exe" >"$release_exe"
check "the read-me names the version" \
  bash -c "unzip -p '$portable' 'Pellaro-$version/README.txt' | grep -q 'Pellaro $version '"
check "the licence is the MIT licence with Windows line ends" \
  bash -c "unzip -p '$portable' 'Pellaro-$version/LICENSE.txt' | head -n 1 | grep -q \$'^MIT License\r\$'"

# --- The program without its debug information, and its debug file -------------------------
tools=x86_64-w64-mingw32
sections() { "$tools-objdump" -h "$1" | awk '$1 ~ /^[0-9]+$/ { print $2 }'; }
section_bytes() {  # <file> <section>: the section's contents, none when it has no such section
  local copy="$work/section.bin"
  rm -f "$copy"
  "$tools-objcopy" --dump-section "$2=$copy" "$1" "$work/objcopy-out.exe" 2>/dev/null
  cat "$copy" 2>/dev/null
  rm -f "$copy" "$work/objcopy-out.exe"
}
build_id() {  # the CodeView record's signature in the program's debug directory
  "$tools-objdump" -p "$1" | sed -n 's/.*format RSDS signature \([0-9a-f]*\) age.*/\1/p'
}
echo "Pellaro.exe: $(stat -c %s "$exe") bytes built, $(stat -c %s "$release_exe") bytes released"
check "the released program has no debug sections" \
  test -z "$(sections "$release_exe" | grep '^\.debug_')"
check "... the built one has them" test -n "$(sections "$exe" | grep '^\.debug_')"
check "... the debug file has them" test -n "$(sections "$debug" | grep '^\.debug_')"
same_section() {
  section_bytes "$exe" "$1" >"$work/built.bin"
  section_bytes "$release_exe" "$1" >"$work/released.bin"
  test -s "$work/built.bin" && cmp -s "$work/built.bin" "$work/released.bin"
}
for section in .text .rdata .data .rsrc; do
  check "the released program's $section is the built one's" same_section "$section"
done
link=$(section_bytes "$release_exe" .gnu_debuglink | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
name = data.split(b"\0", 1)[0]
crc_at = (len(name) + 4) // 4 * 4
print(name.decode(), "%08x" % struct.unpack_from("<I", data, crc_at)[0])')
debug_crc=$(python3 -c 'import sys, zlib; print("%08x" % zlib.crc32(open(sys.argv[1], "rb").read()))' "$debug")
check "the released program's debug link names $(basename "$debug") (link: $link)" \
  test "${link% *}" = "$(basename "$debug")"
check "the debug link's CRC is the debug file's ($debug_crc)" test "${link#* }" = "$debug_crc"
id=$(build_id "$release_exe")
check "the released program has a build id ($id)" test -n "$id"
check "the debug file has the same build id" test "$(build_id "$debug")" = "$id"
check "the built program has the same build id" test "$(build_id "$exe")" = "$id"
# An address of the program read back to its function and source line with the debug file.
winmain=$("$tools-nm" "$debug" | awk '$3 == "WinMain" { print "0x" $1 }')
located=$("$tools-addr2line" -f -e "$debug" "$winmain" 2>/dev/null | tr '\n' ' ')
check "the debug file reads the program's address $winmain as WinMain in WinMain.cpp ($located)" \
  bash -c "[[ '$located' == 'WinMain '*'/WinMain.cpp:'[0-9]* ]]"

# --- The package manifests ---------------------------------------------------------------------
check "the manifests follow their schemas and name the release files' SHA-256" \
  python3 "$root/tools/installer/validate-manifests.py" "$root/tools/installer/schemas" "$dist"

# --- Installing and uninstalling under Wine ---------------------------------------------------
source "$root/scripts/wine-sandbox.sh" "$work"
mkdir -p "$WINEPREFIX"
wineboot -i </dev/null >"$work/wineboot.log" 2>&1
wineserver -w
c="$WINEPREFIX/drive_c"
profile=$(find "$c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
# Wine may link Documents to $HOME: the test's own folder here, never the real user's.
documents=$(readlink -f "$profile/Documents")
case "$documents" in
  "$(readlink -f "$work")"/*) ;;
  *) echo "FAILED: Documents ($documents) is outside the work folder"; exit 1 ;;
esac
mkdir -p "$documents"
user_programs="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
common_programs="$c/ProgramData/Microsoft/Windows/Start Menu/Programs"
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Pellaro'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# Runs a Windows program and waits until every process it started has ended (the
# uninstaller copies itself to the temporary folder and the copy does the work).
run_and_settle() {
  timeout 300 wine "$@" </dev/null >>"$work/wine.log" 2>&1
  local status=$?
  timeout 300 wineserver -w
  return $status
}
# Every value of a registry key as `reg query` prints it, one "name type data" a line.
reg_dump() {  # <key>
  wine reg query "$1" 2>/dev/null | tr -d '\r'
}
# One value's data from such a dump; empty when there is none.
value_of() {  # <dump> <value name>
  awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' <<<"$1"
}
reg_value() {  # <key> <value name>
  value_of "$(reg_dump "$1")" "$2"
}
has_key() { wine reg query "$1" >/dev/null 2>&1; }

# 1. For the current user, with the default choices.
folder="$c/PellaroTest/Mine"
check "the installer runs silently for the current user" \
  run_and_settle "$setup" /S /CurrentUser '/D=C:\PellaroTest\Mine'
check "Pellaro.exe lands in the chosen folder, the released one" cmp -s "$folder/Pellaro.exe" "$release_exe"
check "the uninstaller lands beside it" test -f "$folder/Uninstall.exe"
check "the Start-menu shortcut is made" test -f "$user_programs/Pellaro.lnk"
check "the Run entry starts the installed program" \
  test "$(reg_value "$run_key" Pellaro)" = '"C:\PellaroTest\Mine\Pellaro.exe"'
key="HKCU\\$uninstall_key"
record=$(reg_dump "$key")
check "Apps & features: DisplayName" test "$(value_of "$record" DisplayName)" = "Pellaro"
check "Apps & features: DisplayVersion is the program's version" \
  test "$(value_of "$record" DisplayVersion)" = "$version"
check "Apps & features: Publisher" test "$(value_of "$record" Publisher)" = "The Pellaro developers"
check "Apps & features: DisplayIcon" \
  test "$(value_of "$record" DisplayIcon)" = 'C:\PellaroTest\Mine\Pellaro.exe,0'
check "Apps & features: UninstallString in the current user's mode" \
  test "$(value_of "$record" UninstallString)" = '"C:\PellaroTest\Mine\Uninstall.exe" /CurrentUser'
check "Apps & features: QuietUninstallString is silent" \
  test "$(value_of "$record" QuietUninstallString)" = '"C:\PellaroTest\Mine\Uninstall.exe" /CurrentUser /S'
check "Apps & features: NoModify and NoRepair" \
  test "$(value_of "$record" NoModify) $(value_of "$record" NoRepair)" = "0x1 0x1"
size=$(value_of "$record" EstimatedSize)
exe_kb=$(( ($(stat -c %s "$release_exe") + 1023) / 1024 ))
check "Apps & features: EstimatedSize counts at least the program ($exe_kb KB), got $size" \
  test -n "$size" -a "$((size))" -ge "$exe_kb"
check_not "nothing is registered for all users" has_key "HKLM\\$uninstall_key"

# While Pellaro runs its file cannot go: the silent installer gives up instead of replacing
# it, and the silent uninstaller gives up before it removes anything.
wine "$folder/Pellaro.exe" </dev/null >>"$work/wine.log" 2>&1 &
pellaro=$!
pellaro_window() { xwininfo -root -tree 2>/dev/null | grep -q '"Pellaro"'; }
if wait_for 120 pellaro_window; then
  timeout 300 wine "$setup" /S /CurrentUser '/D=C:\PellaroTest\Mine' </dev/null >>"$work/wine.log" 2>&1
  check_not "the installer reports that it cannot replace a running Pellaro" test $? -eq 0
  # _?= runs the uninstaller where it is, without its copy in the temporary folder, so its
  # end and exit code are the run's own.
  timeout 300 wine "$folder/Uninstall.exe" /S '_?=C:\PellaroTest\Mine' </dev/null >>"$work/wine.log" 2>&1
  check_not "the uninstaller reports that it gave up" test $? -eq 0
  check "a running Pellaro stays installed" test -f "$folder/Pellaro.exe"
  check "... with its uninstaller" test -f "$folder/Uninstall.exe"
  check "... its shortcut" test -f "$user_programs/Pellaro.lnk"
  check "... its Run entry" test -n "$(reg_value "$run_key" Pellaro)"
  check "... and its Apps & features record" has_key "$key"
else
  fail "the installed Pellaro showed no window within 120 s"
fi
wineserver -k
wait "$pellaro" 2>/dev/null

printf 'settings of the user' >"$documents/.Pellaro.ini"
check "the silent uninstaller runs" run_and_settle "$folder/Uninstall.exe" /S
check_not "the program is removed" test -e "$folder/Pellaro.exe"
check_not "the uninstaller is removed, and the folder with it" test -e "$folder"
check_not "the Start-menu shortcut is removed" test -e "$user_programs/Pellaro.lnk"
check "the Run entry is removed" test -z "$(reg_value "$run_key" Pellaro)"
check_not "the Apps & features record is removed" has_key "$key"
check "the settings file stays, unchanged" \
  test "$(cat "$documents/.Pellaro.ini" 2>/dev/null)" = "settings of the user"

# 2. For all users, without shortcut and Run entry; another copy's Run entry exists.
folder="$c/PellaroTest/All"
wine reg add "$run_key" /v Pellaro /d '"C:\Elsewhere\Pellaro.exe"' /f >/dev/null 2>&1
check "the installer runs silently for all users without the optional parts" \
  run_and_settle "$setup" /S /AllUsers /NOSTARTMENU /NOAUTOSTART '/D=C:\PellaroTest\All'
check "Pellaro.exe lands in the chosen folder" cmp -s "$folder/Pellaro.exe" "$release_exe"
check_not "no Start-menu shortcut for all users" test -e "$common_programs/Pellaro.lnk"
check_not "no Start-menu shortcut for the user" test -e "$user_programs/Pellaro.lnk"
check "the other copy's Run entry is left alone" \
  test "$(reg_value "$run_key" Pellaro)" = '"C:\Elsewhere\Pellaro.exe"'
key="HKLM\\$uninstall_key"
record=$(reg_dump "$key")
check "Apps & features: registered for all users" test "$(value_of "$record" DisplayName)" = "Pellaro"
check "Apps & features: UninstallString in the all users' mode" \
  test "$(value_of "$record" UninstallString)" = '"C:\PellaroTest\All\Uninstall.exe" /AllUsers'
check_not "nothing is registered for the current user" has_key "HKCU\\$uninstall_key"

printf 'half-written settings' >"$documents/.Pellaro.ini.1234.new"
check "the silent uninstaller runs with /REMOVESETTINGS" \
  run_and_settle "$folder/Uninstall.exe" /AllUsers /S /REMOVESETTINGS
check_not "the program folder is removed" test -e "$folder"
check_not "the Apps & features record is removed" has_key "$key"
check "the other copy's Run entry survives" \
  test "$(reg_value "$run_key" Pellaro)" = '"C:\Elsewhere\Pellaro.exe"'
check_not "the settings file is removed" test -e "$documents/.Pellaro.ini"
check_not "an interrupted save's leftover is removed" test -e "$documents/.Pellaro.ini.1234.new"

wineserver -k >/dev/null 2>&1 || true
if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed; Wine's output is in $work/wine.log"
  exit 1
fi
echo "all installer checks passed"
