#!/usr/bin/env bash
# Drives the release folder's installer under Wine as the updater does, in a fresh prefix:
# a silent install with the updater's exact switches, an upgrade over the running
# program, a silent uninstall, an unknown /LANG= that must stay silent, an update
# that lands in the folder of the last install, and the optional PATH entry.
#
#   tests/installer/installer-test.sh RELEASE_FOLDER x86|amd64 [CODESIGN_CA_PEM]
#
# With the CA of the certificate the release was signed with, the uninstaller that the
# installer writes must carry a valid Authenticode signature too.
# Needs what scripts/lib/setup.sh provides (sourced here) and a DISPLAY.
set -uo pipefail
source "$(dirname "$0")/../../scripts/lib/setup.sh"
release=$1/Kestrova
arch=$2
codesign_ca=${3:-}
setup=$release/Kestrova-setup.exe

export WINEPREFIX="$KESTROVA_ROOT/build/wine-installer-prefix"
rm -rf "$WINEPREFIX"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
step() { step_name=$1; step_start=$SECONDS; log "installer: $1"; }
step_done() { echo "  ($step_name took $((SECONDS - step_start)) s)"; }

if [[ $arch == x86 ]]; then
  programs="Program Files (x86)"; view=/reg:32
else
  programs="Program Files"; view=/reg:64
fi
install_dir="$WINEPREFIX/drive_c/$programs/Kestrova"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrova'
updater_switches=(/SILENT /CLOSEAPPLICATIONS /SUPPRESSMSGBOXES /LANG=English '/MERGETASKS="runcmd1"')

run_setup() { timeout 300 "$WINE64" "$(winepath_of "$setup")" "$@"; }

# The id of the visible main window of a running Kestrova, waiting up to 60 s for it.
main_window() {
  local w
  for _ in $(seq 300); do
    w=$(xdotool search --onlyvisible --name '^Kestrova [0-9]' 2>/dev/null | head -n1)
    [[ -n $w ]] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}

# Only the installed copy: other Kestrova processes on this machine are not ours.
kestrova_pids() { pgrep -f 'Kestrova.Kestrova\.exe' | sort; }

step "fresh prefix"
ensure_wine_prefix
step_done

step "silent install with the updater's switches"
run_setup "${updater_switches[@]}"; rc=$?
[[ $rc == 0 ]] || fail "the install exited with $rc"
for f in Kestrova.exe Kestrova.com Language/English.ini Language/Russian.ini uninstall.exe; do
  [[ -f "$install_dir/$f" ]] || fail "not installed: $f"
done
[[ ! -e "$install_dir/portable.ini" ]] || fail "the installer wrote portable.ini"
unzip -p "$release/Kestrova.zip" Kestrova.exe | cmp -s "$install_dir/Kestrova.exe" - ||
  fail "the installed Kestrova.exe is not the released one"
unzip -p "$release/Kestrova.zip" Kestrova.com | cmp -s "$install_dir/Kestrova.com" - ||
  fail "the installed Kestrova.com is not the released one"
if [[ -n $codesign_ca ]]; then
  osslsigncode verify -CAfile "$codesign_ca" -in "$install_dir/Kestrova.com" >/dev/null ||
    fail "Kestrova.com's Authenticode signature does not verify"
  osslsigncode verify -CAfile "$codesign_ca" -in "$install_dir/uninstall.exe" >/dev/null ||
    fail "the uninstaller's Authenticode signature does not verify"
fi
entry=$("$WINE64" reg query "$uninstall_key" $view 2>/dev/null | tr -d '\r')
for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString QuietUninstallString EstimatedSize; do
  grep -q "^ *$value " <<<"$entry" || fail "the uninstall entry lacks $value"
done
grep -q "DisplayVersion.*$(cat "$release/version.txt")" <<<"$entry" || fail "the uninstall entry's version is not the release's"
[[ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrova.lnk" ]] ||
  fail "no Start-menu shortcut"
first_window=$(main_window) || fail "the program did not start after the install"
first_pids=$(kestrova_pids)
step_done

step "upgrade over the running program"
sleep 1
before=$(stat -c %Z "$install_dir/Kestrova.exe")
run_setup "${updater_switches[@]}"; rc=$?
[[ $rc == 0 ]] || fail "the upgrade exited with $rc"
[[ $(stat -c %Z "$install_dir/Kestrova.exe") != "$before" ]] || fail "Kestrova.exe was not replaced"
second_window=$(main_window) || fail "the program did not start again after the upgrade"
[[ -n $first_pids && -z $(comm -12 <(echo "$first_pids") <(kestrova_pids)) ]] ||
  fail "the running program was not closed by the upgrade"
step_done

step "silent uninstall"
# Without /F, taskkill asks the program's windows to close, as the close box would.
"$WINE64" taskkill /im Kestrova.exe >/dev/null 2>&1
for _ in $(seq 100); do [[ -z $(kestrova_pids) ]] && break; sleep 0.2; done
options=$(find "$WINEPREFIX/drive_c/users" -path '*Kestrova*' -name Option.ini 2>/dev/null | head -n1)
[[ -n $options ]] || fail "the program left no options file to keep"
"$WINE64" "C:\\$programs\\Kestrova\\uninstall.exe" /S; rc=$?
[[ $rc == 0 ]] || fail "the uninstall exited with $rc"
# The uninstaller runs on from a copy of itself in the temporary folder.
for _ in $(seq 150); do [[ ! -e $install_dir ]] && break; sleep 0.2; done
[[ ! -e $install_dir ]] || fail "the install folder is still there: $(ls -R "$install_dir" | tr '\n' ' ')"
"$WINE64" reg query "$uninstall_key" $view >/dev/null 2>&1 && fail "the uninstall entry is still there"
[[ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrova.lnk" ]] ||
  fail "the Start-menu shortcut is still there"
[[ -z $options || -f $options ]] || fail "the uninstall removed the options file"
step_done

step "unknown /LANG= stays silent"
run_setup /SILENT /SUPPRESSMSGBOXES /LANG=Klingon; rc=$?
[[ $rc == 0 ]] || fail "the install with /LANG=Klingon exited with $rc (124: it waited for an answer)"
[[ -f "$install_dir/Kestrova.exe" ]] || fail "the install with /LANG=Klingon installed nothing"
step_done

step "a silent update lands in the folder of the last install"
# /DIR= chooses the folder of an install; an update without it goes where the program is,
# not into a second copy in the default folder.
other_dir="$WINEPREFIX/drive_c/Tools/Kestrova"
run_setup /SILENT /SUPPRESSMSGBOXES '/DIR=C:\Tools\Kestrova'; rc=$?
[[ $rc == 0 && -f "$other_dir/Kestrova.exe" ]] || fail "the install with /DIR= did not install there (exit $rc)"
sleep 1
default_before=$(stat -c %Z "$install_dir/Kestrova.exe")
other_before=$(stat -c %Z "$other_dir/Kestrova.exe")
run_setup /SILENT /SUPPRESSMSGBOXES /LANG=English; rc=$?
[[ $rc == 0 ]] || fail "the update exited with $rc"
[[ $(stat -c %Z "$other_dir/Kestrova.exe") != "$other_before" ]] || fail "the update did not replace the installed copy"
[[ $(stat -c %Z "$install_dir/Kestrova.exe") == "$default_before" ]] || fail "the update wrote into the default folder"
step_done

step "the PATH entry: only when asked, and taken away by the uninstaller"
environment_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'
system_path() { "$WINE64" reg query "$environment_key" /v Path 2>/dev/null | tr -d '\r' | sed -n 's/^ *Path *REG_[A-Z_]* *//p'; }
path_before=$(system_path)
grep -qiF 'C:\Tools\Kestrova' <<<"$path_before" && fail "an install without addtopath put the folder on the PATH"
run_setup /SILENT /SUPPRESSMSGBOXES '/MERGETASKS="addtopath"'; rc=$?
[[ $rc == 0 && -f "$other_dir/Kestrova.com" ]] || fail "the install with addtopath failed (exit $rc)"
[[ $(system_path) == "$path_before;C:\Tools\Kestrova" ]] || fail "PATH after addtopath: $(system_path)"
run_setup /SILENT /SUPPRESSMSGBOXES '/MERGETASKS="addtopath"'
[[ $(system_path) == "$path_before;C:\Tools\Kestrova" ]] || fail "a second addtopath changed PATH: $(system_path)"
"$WINE64" 'C:\Tools\Kestrova\uninstall.exe' /S
for _ in $(seq 150); do [[ ! -e $other_dir ]] && break; sleep 0.2; done
[[ $(system_path) == "$path_before" ]] || fail "PATH after the uninstall: $(system_path); before: $path_before"
step_done

/usr/lib/wine/wineserver -k >/dev/null 2>&1
if ((failures)); then
  echo "installer tests: $failures failure(s)"
  exit 1
fi
echo "installer tests passed"
