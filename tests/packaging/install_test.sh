#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks that the installed
# program has every file it ships and works from there on its own.
set -euo pipefail
build=$1
id=$2
prefix=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$prefix" "$home"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for f in bin/mfs380a bin/mfs380a-cli \
         share/mfs380a/load.txt share/mfs380a/MFS380_TEST.ini share/mfs380a/Nimbra.ini \
         "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
         "share/icons/hicolor/scalable/apps/$id.svg" \
         "share/icons/hicolor/64x64/apps/$id.png" "share/icons/hicolor/128x128/apps/$id.png" \
         share/man/man1/mfs380a-cli.1 lib/udev/rules.d/70-kelvan-tools.rules; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/bin/mfs380a-cli" ] || fail "mfs380a-cli is not executable"
grep -q '^Exec=mfs380a$' "$prefix/share/applications/$id.desktop" || fail "desktop entry runs another program"
grep -q 'TAG+="uaccess"' "$prefix/lib/udev/rules.d/70-kelvan-tools.rules" || fail "udev rule grants nothing"

# Run from elsewhere, with a home of its own, so nothing of the build tree helps.
cd "$home"
export HOME=$home XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config QT_QPA_PLATFORM=offscreen
cli=$prefix/bin/mfs380a-cli
shipped=$("$cli" paths | sed -n 's/^shipped-files //p')
[ "$(realpath "$shipped")" = "$(realpath "$prefix/share/mfs380a")" ] ||
  fail "the installed program looks for its shipped files in '$shipped'"
lines=$("$cli" --simulate stream --frames 10 | grep -c '^[0-9]* count0=' || true)
[ "$lines" -eq 10 ] || fail "stream printed $lines frames instead of 10"

# The manual page names every command the help text offers (as the first word
# of a .B/.BI/.BR line, with its hyphens written \-).
documented=$(sed -n 's/^\.B[IR]\{0,1\} \([a-z\\-]*\).*/\1/p' "$prefix/share/man/man1/mfs380a-cli.1" | sed 's/\\-/-/g')
for cmd in $("$cli" --help | sed -n '/^Commands:/,/^Exit status/p' | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p'); do
  grep -qx -- "$cmd" <<<"$documented" || fail "the manual page lacks the command $cmd"
done
echo "install tree in order"
