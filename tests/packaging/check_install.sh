#!/usr/bin/env bash
# Checks an installed tree (STAGE, the prefix /usr inside it) and the Debian package built
# from it: every installed file passes its validator, and the programs start.
set -euo pipefail
stage=$1
deb=$2
usr="$stage/usr"
fail=0
step() { echo "-- $*"; }
bad() { echo "FAIL: $*" >&2; fail=1; }

step "programs"
for p in calyptron calyptron-cli calyptron-sim; do
    [ -x "$usr/bin/$p" ] || bad "$p is not installed in bin/"
done

step "menu entry"
desktop="$usr/share/applications/org.calyptron.ks.desktop"
desktop-file-validate "$desktop" || bad "desktop-file-validate"
grep -qx 'Exec=calyptron %f' "$desktop" || bad "the menu entry does not start calyptron %f"

step "metainfo"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.calyptron.ks.metainfo.xml" ||
    bad "appstreamcli validate"

step "file types"
mime="$(mktemp -d)"
trap 'rm -rf "$mime"' EXIT
mkdir -p "$mime/mime/packages"
cp "$usr/share/mime/packages/"*.xml "$mime/mime/packages/"
update-mime-database "$mime/mime" >/dev/null || bad "update-mime-database"
type_of() { XDG_DATA_HOME="$mime" XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$1" |
    sed -n 's/.*standard::content-type: //p'; }
# A record file: header length 45, two line feeds, the date line, the header text.
container() {
    printf '\x2d\x00\x00\x00\n\n10/12/2026 - 12:00:00\nKS\nCalyptron KS\n4278058235\n\n\x00\x00\x00\x00' >"$1"
}
container "$mime/site.eta"
container "$mime/site.mes"
container "$mime/renamed.bin"
echo "not a record file" >"$mime/plain.bin"
for case in "site.eta application/x-calyptron-settings" \
    "site.mes application/x-calyptron-measurement" \
    "renamed.bin application/x-calyptron-records"; do
    set -- $case
    got=$(type_of "$mime/$1")
    [ "$got" = "$2" ] || bad "$1 is taken for $got, not $2"
done
[ "$(type_of "$mime/plain.bin")" != application/x-calyptron-records ] ||
    bad "a plain file is taken for a record file"

step "icons"
for size in 16 24 32 48 64 128 256; do
    png="$usr/share/icons/hicolor/${size}x${size}/apps/org.calyptron.ks.png"
    file "$png" | grep -q "PNG image data, $size x $size" || bad "no $size px icon"
done
xmllint --noout "$usr/share/icons/hicolor/scalable/apps/org.calyptron.ks.svg" || bad "SVG icon"

step "manual pages"
for p in calyptron calyptron-cli calyptron-sim; do
    page="$usr/share/man/man1/$p.1.gz"
    warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null) || bad "man -l $p"
    [ -z "$warnings" ] || bad "man -l $p: $warnings"
done
# Every command of the tool has its entry in the manual page.
cli_commands=$("$usr/bin/calyptron-cli" --help | sed -n '/^commands:/,$p' | awk '/^  [a-z]/ {print $1}')
page_text=$(MANWIDTH=200 man -l "$usr/share/man/man1/calyptron-cli.1.gz" 2>/dev/null)
for c in $cli_commands; do
    grep -Eq "^ {7}$c( |\$)" <<<"$page_text" || bad "calyptron-cli.1 does not describe the command $c"
done

step "bash completion"
completion="$usr/share/bash-completion/completions/calyptron-cli"
complete_words() {
    PATH="$usr/bin:$PATH" bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1));
        _calyptron_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@" | sort | tr '\n' ' '
}
got=$(complete_words calyptron-cli "")
want=$(printf "%s\n" $cli_commands | sort | tr '\n' ' ')
[ "$got" = "$want" ] || bad "completion of the commands: '$got', not '$want'"
got=$(complete_words calyptron-cli --demo measure --)
[ "$got" = "--count --json --lang --period " ] || bad "completion of measure's options: '$got'"
got=$(complete_words calyptron-cli --po)
[ "$got" = "--port " ] || bad "completion of a global option: '$got'"
got=$(complete_words calyptron-cli --port /tmp/x --tr)
[ "$got" = "--trace " ] || bad "a global option after --port's value: '$got'"
got=$(complete_words calyptron-cli --port /tmp/x sea)
[ "$got" = "search " ] || bad "a command after --port's value: '$got'"

step "installed calyptron-cli --demo ident"
home=$(mktemp -d)
CALYPTRON_HOME="$home" timeout 60 "$usr/bin/calyptron-cli" --demo ident || bad "calyptron-cli --demo ident"
rm -rf "$home"

step "lintian"
lintian --fail-on error --suppress-tags no-manual-page,dir-or-file-in-opt "$deb" || bad "lintian"

if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    step "dpkg -i, then the menu entry's command"
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb" >/dev/null ||
        bad "apt-get install $deb"
    exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/org.calyptron.ks.desktop)
    # %f without a file: nothing. The demo picture proves the window came up.
    command=${exec_line//%f/}
    home=$(mktemp -d)
    CALYPTRON_HOME="$home" QT_QPA_PLATFORM=offscreen timeout 60 $command --demo \
        --screenshot "$home/started.png" --after 1500 || bad "$command --demo did not start"
    [ -s "$home/started.png" ] || bad "$command --demo drew no window"
    rm -rf "$home"
else
    echo "-- not root: the package is not installed here"
fi

[ $fail -eq 0 ] && echo "== package checks passed"
exit $fail
