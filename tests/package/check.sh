#!/usr/bin/env bash
# Checks a built vexamor .deb: its file list, ownership and modes, its control fields, the
# desktop entry, the AppStream metadata and the man pages it holds, and lintian; then
# installs it on a clean Debian bookworm (a debootstrap minbase root) and runs it there.
# Usage: check.sh PACKAGE.deb
set -euo pipefail
deb=$(realpath "$1")
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vexamor-package-check.XXXXXX")
root="$work/root"
cleanup() {
  # Unmount whatever the install test mounted (deepest first), then remove everything.
  if [ -d "$root" ]; then
    for mount in $(awk -v r="$root" 'index($2, r) == 1 { print $2 }' /proc/mounts | sort -r); do
      umount -l "$mount" || true
    done
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# --- File list: every file the package must hold, owned by root, with the right mode.
listing=$(dpkg-deb -c "$deb")
expect_file() {  # path mode
  local line
  line=$(awk -v p="./$1" '$6 == p' <<<"$listing")
  if [ -z "$line" ]; then fail "missing $1"; return; fi
  [[ $line == "$2 root/root "* ]] || fail "$1 is not $2 root/root: $line"
}
for game in vexamor vexamor-replay; do expect_file "usr/games/$game" -rwxr-xr-x; done
for page in vexamor vexamor-replay; do
  expect_file "usr/share/man/man6/$page.6.gz" -rw-r--r--
  expect_file "usr/share/man/pt_BR/man6/$page.6.gz" -rw-r--r--
done
expect_file usr/share/applications/vexamor.desktop -rw-r--r--
expect_file usr/share/metainfo/io.github.vexamor.vexamor.metainfo.xml -rw-r--r--
expect_file usr/share/icons/hicolor/scalable/apps/vexamor.svg -rw-r--r--
expect_file usr/share/doc/vexamor/copyright -rw-r--r--
expect_file usr/share/doc/vexamor/changelog.gz -rw-r--r--
if awk '$1 ~ /^d/ && $1 != "drwxr-xr-x"' <<<"$listing" | grep -q .; then fail "a directory is not 0755"; fi
if awk '$2 != "root/root"' <<<"$listing" | grep -q .; then fail "a file is not owned by root"; fi
pass "file list"

# --- Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Section)" = games ] || fail "section is not games"
[[ $(field Depends) == *libsdl2-2.0-0* && $(field Depends) == *libc6* ]] || fail "dependencies: $(field Depends)"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description"
[[ $(basename "$deb") == vexamor_"$(field Version)"_"$(field Architecture)".deb ]] || fail "file name $(basename "$deb")"
pass "control fields"

# --- The files themselves.
tree="$work/tree"
dpkg-deb -x "$deb" "$tree"
desktop-file-validate "$tree/usr/share/applications/vexamor.desktop" || fail "desktop-file-validate"
grep -qx 'Terminal=true' "$tree/usr/share/applications/vexamor.desktop" || fail "desktop entry not Terminal=true"
appstreamcli validate --no-net "$tree/usr/share/metainfo/io.github.vexamor.vexamor.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate"
for page in "$tree"/usr/share/man/man6/*.6.gz "$tree"/usr/share/man/pt_BR/man6/*.6.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warnings in ${page#"$tree"}: $warnings"
done
gzip -dc "$tree/usr/share/doc/vexamor/changelog.gz" | head -1 | grep -qF "vexamor ($(field Version)) " ||
  fail "changelog does not start with this version"
head -1 "$tree/usr/share/doc/vexamor/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' || fail "copyright format"
pass "desktop entry, metainfo, man pages, changelog, copyright"

# --- lintian: no error. Warnings and notes are shown.
lintian_out=$(lintian --pedantic -I "$deb" 2>/dev/null || true)
[ -n "$lintian_out" ] && echo "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then fail "lintian reports errors"; else pass "lintian"; fi

# --- A clean Debian bookworm, from the mirror this machine uses.
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: the clean-Debian install test needs root (debootstrap, chroot)" >&2
  [ "$failures" -eq 0 ]
  exit
fi
mirror=$("$(dirname "$0")/debian_mirror.sh")
start=$(date +%s)
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -20 "$work/debootstrap.log" >&2; fail "debootstrap from $mirror"; exit 1; }
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
chmod 0644 "$root/tmp/$(basename "$deb")"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root LANG=C.UTF-8 "$@"; }
in_root sh -c "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./tmp/$(basename "$deb")" \
  >"$work/apt.log" 2>&1 || { tail -20 "$work/apt.log" >&2; fail "apt-get install ./$(basename "$deb")"; exit 1; }
pass "apt-get install on a clean bookworm"

[ "$(in_root vexamor --version)" = "vexamor $(field Version)" ] || fail "vexamor --version"
in_root vexamor --help | grep -q -- '--mute' || fail "vexamor --help"
status=0
message=$(in_root vexamor </dev/null 2>&1 >/dev/null) || status=$?
[ "$status" -eq 1 ] || fail "vexamor off a terminal exits $status, not 1"
[[ $message == *terminal* ]] || fail "vexamor off a terminal says: $message"
[ "$(in_root vexamor-replay --seed 7 --ticks 3 | wc -l)" -eq 3 ] || fail "vexamor-replay"
pass "vexamor runs there"

# On a pseudo-terminal with no sound device at all: the intro plays in silence, nothing
# from SDL or ALSA reaches the screen, and SIGINT ends it with the terminal restored.
mount -t proc proc "$root/proc"
mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
status=0
# timeout --foreground: the game stays in the terminal's foreground process group.
before=$failures
in_root script -qfec "stty cols 80 rows 25; timeout --foreground -s INT 3 vexamor" /tmp/typescript >/dev/null 2>&1 </dev/null ||
  status=$?
screen=$(cat "$root/tmp/typescript")
[ "$status" -eq 124 ] || fail "vexamor on a pty without sound ended with $status, not by the timeout's SIGINT"
grep -qiE 'alsa|sdl|error' <<<"$screen" && fail "messages on the terminal: $(grep -iE 'alsa|sdl|error' <<<"$screen" | head -3)"
grep -q $'\e\[?1049l' <<<"$screen" || fail "the alternate screen was not left"
[ "$failures" -eq "$before" ] && pass "vexamor plays on a pty without a sound device"
echo "clean-Debian install test: $(($(date +%s) - start)) s"

[ "$failures" -eq 0 ]
