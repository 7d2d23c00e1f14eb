#!/usr/bin/env bash
# Installs the build into a temporary prefix as a user would, and checks what a desktop
# needs from it: each program answers --version with the project version and has a man
# page made from that very program, with the options its --help lists; the desktop entry,
# its AppStream metadata and its icons carry one name; the completion parses; the
# validators, when installed, accept the entry and the metadata.
#
#   install_test.sh <cmake> <build folder> <version>
set -uo pipefail
cmake=$1 build=$2 version=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

"$cmake" --install "$build" --prefix "$prefix" >/dev/null || exit 1

for program in orvik-view orvik-frame orvik-mkrec; do
    have=$("$prefix/bin/$program" --version) || fail "$program --version exits with $?"
    [[ $have == "$program $version" ]] || fail "$program --version: have '$have', want '$program $version'"
    page=$(zcat "$prefix/share/man/man1/$program.1.gz") || fail "no man page for $program"
    grep -q "^\.TH .*\"$program $version\"" <<<"$page" || fail "$program's man page is not of $version"
    grep -q '^\\fB\\-\\-version\\fR' <<<"$page" || fail "$program's man page lacks the options of --help"
done

entries=("$prefix"/share/applications/*.desktop)
[[ ${#entries[@]} == 1 && -f ${entries[0]} ]] || fail "want one desktop entry, have: ${entries[*]}"
id=$(basename "${entries[0]}" .desktop)
metainfo=$prefix/share/metainfo/$id.metainfo.xml
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "$metainfo does not launch $id.desktop"
grep -qx "Icon=$id" "${entries[0]}" || fail "the desktop entry's icon is not $id"
for size in 16 24 32 48 64 128 256; do
    [[ -s $prefix/share/icons/hicolor/${size}x$size/apps/$id.png ]] || fail "no ${size}x$size icon"
done
# A recording named relative to the current folder, as a user types it in a shell, opens.
(cd "$prefix" && "$prefix/bin/orvik-mkrec" --output demo --folders 1 --seconds 2 >/dev/null &&
    QT_QPA_PLATFORM=offscreen timeout 30 "$prefix/bin/orvik-view" --quit-after-first-frame demo |
    grep -q "first frame presented") || fail "orvik-view did not open a recording named relative"

# export runs in a program of its own that orvik-frame must find where it was installed: its
# own refusal of a missing recording shows that it ran.
refusal=$("$prefix/bin/orvik-frame" export -o "$prefix/clip.mkv" "$prefix/no-recording" 2>&1)
[[ $refusal == "orvik-frame: $prefix/no-recording: not a folder" ]] ||
    fail "orvik-frame export did not run the export: $refusal"
bash -n "$prefix/share/bash-completion/completions/orvik-frame" || fail "the completion does not parse"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "${entries[0]}" || fail "desktop-file-validate refuses the entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses the metadata"
fi
exit $failed
