#!/usr/bin/env bash
# The MSI as a user gets it, in a fresh Wine prefix: a quiet install puts
# the release's files into Program Files\Lobrin, a Start-menu shortcut for each
# window and an uninstall entry with name, version, publisher and icon; the
# installed lobrin.exe calculates the first worked example and lobrin-stack.exe
# the worked example's stack; a later version installed
# over it replaces it; a quiet uninstall leaves nothing of either behind.
#   msi_test.sh SOURCE_DIR DIST_DIR GUI_PROBE_EXE
set -u
source=$(realpath -m "$1") dist=$(realpath -m "$2") probe_exe=$(realpath -m "$3")
icon=$source/resources/icon0.ico
here=$(cd "$(dirname "$0")" && pwd)
. "$here/user_session.sh"
. "$here/../support/prefix_snapshot.sh"

begin_user_session "the MSI installs, works and uninstalls"

msis=("$dist"/lobrin-*-win64.msi)
[ ${#msis[@]} -eq 1 ] && [ -f "${msis[0]}" ] || {
  fail "not exactly one MSI in $dist"
  exit
}
msi=${msis[0]}
name=$(basename "$msi" -win64.msi)
version=${name#lobrin-}
product_code_of() {
  msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }'
}
# The summary's times are the last commit's, stopped there while the MSI
# was written: a running clock gives the same sources another MSI.
release_time=$(TZ=UTC date -d "@$(git -C "$source" log -1 --format=%ct)" '+%a %b %e %H:%M:%S %Y')
for field in Created "Last saved"; do
  stamped=$(TZ=UTC msiinfo suminfo "$msi" | sed -n "s/^$field: //p")
  [ "$stamped" = "$release_time" ] || fail "the MSI's $field time is $stamped, not the last commit's ($release_time)"
done
product_code=$(product_code_of "$msi")
[ -n "$product_code" ] || {
  fail "no ProductCode in $msi"
  exit
}
# The product's key among the installed products: its code with each group
# of hex digits reversed, the last two groups by pairs.
guid=${product_code//[\{\}-]/}
packed_code=$(rev <<<"${guid:0:8}")$(rev <<<"${guid:8:4}")$(rev <<<"${guid:12:4}")
for i in 16 18 20 22 24 26 28 30; do
  packed_code+=${guid:i+1:1}${guid:i:1}
done
uninstall_root="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
uninstall_key="$uninstall_root\\$product_code"
product_key="HKLM\\Software\\Classes\\Installer\\Products\\$packed_code"

start_fresh_prefix
installed="$WINEPREFIX/drive_c/Program Files/Lobrin"
shortcuts() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Lobrin*.lnk' | LC_ALL=C sort; }
# The two windows' shortcuts, and no other.
has_both_shortcuts() {
  [ "$(shortcuts | sed 's|.*/||' | tr '\n' '/')" = "Lobrin Stack.lnk/Lobrin.lnk/" ]
}
# One value of a registry key, as `reg query` prints it: "TYPE DATA".
value_of() {
  timeout 30 wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { $1 = ""; sub(/^ +/, ""); print }'
}

take_snapshot "$work/before" || fail "snapshot before"

timeout 120 wine msiexec /i "$(winepath -w "$msi")" /qn || fail "msiexec /i ended with $?"

# The files, the same as the portable zip's.
unzip -q "$dist/$name-win64.zip" -d "$work/zip" || fail "unzip"
listing=$(cd "$installed" 2>/dev/null && find . -mindepth 1 -printf '%P\n' | sort)
expected=$(cd "$work/zip/$name" && find . -mindepth 1 -printf '%P\n' | sort)
[ "$listing" = "$expected" ] || fail "Program Files\\Lobrin holds other files than the release's:
$listing"
for file in $expected; do
  cmp -s "$installed/$file" "$work/zip/$name/$file" || fail "$file differs from the zip's"
done

has_both_shortcuts || fail "not the Start-menu shortcuts Lobrin and Lobrin Stack: $(shortcuts)"

# The uninstall entry, and the icon that Windows shows with it.
[ "$(value_of "$uninstall_key" DisplayName)" = "REG_SZ Lobrin" ] || fail "uninstall entry: name"
[ "$(value_of "$uninstall_key" DisplayVersion)" = "REG_SZ $version" ] || fail "uninstall entry: version"
[ "$(value_of "$uninstall_key" Publisher)" = "REG_SZ The Lobrin authors" ] || fail "uninstall entry: publisher"
product_icon=$(value_of "$product_key" ProductIcon)
product_icon=${product_icon#REG_SZ }
if [ -z "$product_icon" ] || ! cmp -s "$(winepath -u "$product_icon")" "$icon"; then
  fail "uninstall entry: the icon is not Lobrin's ($product_icon)"
fi

# The installed program at work.
check_worked_example "$probe_exe" "C:\\Program Files\\Lobrin\\lobrin.exe" "the installed window"
check_stack_example "$probe_exe" "C:\\Program Files\\Lobrin\\lobrin-stack.exe" "the installed Lobrin Stack"

# A later version, made from the same files, replaces this one.
later_version=$version.1
later_msi="$work/lobrin-$later_version-win64.msi"
: "${SOURCE_DATE_EPOCH:=$(date +%s)}"
export SOURCE_DATE_EPOCH
"$source/packaging/make_msi" "$work/zip/$name" "$later_version" "$later_msi" >/dev/null 2>&1 ||
  fail "making an MSI of a later version"
later_key="$uninstall_root\\$(product_code_of "$later_msi")"
[ "$later_key" != "$uninstall_key" ] || fail "the later version has the same product code"
timeout 120 wine msiexec /i "$(winepath -w "$later_msi")" /qn || fail "msiexec /i of the later version ended with $?"
[ -z "$(value_of "$uninstall_key" DisplayName)" ] || fail "the later version did not replace $version"
[ "$(value_of "$later_key" DisplayVersion)" = "REG_SZ $later_version" ] || fail "no uninstall entry of the later version"
[ -f "$installed/lobrin.exe" ] && has_both_shortcuts || fail "the later version's files or shortcut"

timeout 120 wine msiexec /x "$(winepath -w "$later_msi")" /qn || fail "msiexec /x ended with $?"

[ ! -e "$installed" ] || fail "Program Files\\Lobrin is still there"
[ -z "$(shortcuts)" ] || fail "the Start-menu shortcut is still there"
[ -z "$(value_of "$later_key" DisplayName)" ] || fail "the uninstall entry is still there"
restart_prefix
take_snapshot "$work/after" || fail "snapshot after"
# What may stay: the times of folders where something came and went, and
# Windows Installer's own empty cache folder and registry keys, which every
# Windows has. Anything that names Lobrin or its codes is compared in full.
# The registry files on disk name the same keys with their backslashes doubled.
installer_keys='Software\\(Classes\\Installer(\\(Features|Products|UpgradeCodes))?|Microsoft\\Windows\\CurrentVersion\\Installer\\(UpgradeCodes|UserData(\\S-1-5-18(\\(Components|Products))?)?))'
installer_keys_on_disk=$(sed 's/\\\\/&&/g' <<<"$installer_keys")
for snapshot in "$work/before" "$work/after"; do
  awk '$1 == "d" { sub(/ [0-9]+ [0-9.]+$/, "") } $0 != "d " ENVIRON["WINEPREFIX"] "/drive_c/windows/Installer"' \
    "$snapshot/drive_c" >"$snapshot/drive_c.kept"
  grep -v -x -E "|\\[HKEY_LOCAL_MACHINE\\\\$installer_keys\\]" "$snapshot/hklm" >"$snapshot/hklm.kept"
  grep -v -x -E "|\\[$installer_keys_on_disk\\]" "$snapshot/registry_files" >"$snapshot/registry_files.kept"
  for kept in drive_c hklm registry_files; do
    mv "$snapshot/$kept.kept" "$snapshot/$kept"
  done
done
compare_snapshots "$work/before" "$work/after" || fail "the uninstall left something behind"
