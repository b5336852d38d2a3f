#!/usr/bin/env bash
# The replay tool built for Windows, run under wine, prints the same bytes as the Linux one
# for the same seed and keys: several seeds, short and long key lists, with the final screen,
# a long game whose keys come from a file, and the recorded games' traces.
# Usage: replay_differential.sh WINDOWS_REPLAY_EXE LINUX_REPLAY
set -euo pipefail
source "$(dirname "$0")/wine.bash"
WINDOWS_REPLAY=$1
LINUX_REPLAY=$2
SOURCE=$(cd "$(dirname "$0")/../../.." && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# A long random key list from the game's keys (arrows as their prefix and code, fire, the
# specials, pause), with gaps; the same list for the same seed.
random_keys() {
    local seed=$1 count=$2 keys=() i
    local choices=(97 119 101 32 72 80 75 77 224 "" "" "" "" 65 69 87)
    RANDOM=$seed
    for ((i = 0; i < count; i++)); do keys+=("${choices[RANDOM % ${#choices[@]}]}"); done
    local IFS=,
    echo "${keys[*]}"
}

cases=(
    "--seed 1 --ticks 200"
    "--seed 42 --ticks 300 --keys 97,97,,72,72,72,97,119,,101,75,75,77 --screen"
    "--seed 1234567 --ticks 600 --keys $(random_keys 7 600) --screen"
    "--seed 4294967295 --ticks 400 --keys $(random_keys 99 400)"
    "--seed 0 --keys 27 --screen"
)
for i in "${!cases[@]}"; do
    read -r -a arguments <<<"${cases[$i]}"
    "$LINUX_REPLAY" "${arguments[@]}" >"$WORK/linux.$i"
    "$WINE" "$WINDOWS_REPLAY" "${arguments[@]}" >"$WORK/windows.$i"
    if ! cmp -s "$WORK/linux.$i" "$WORK/windows.$i"; then
        echo "FAIL: traces differ for ${arguments[*]:0:4}" >&2
        cmp "$WORK/linux.$i" "$WORK/windows.$i" >&2 || true
        exit 1
    fi
    [[ -s $WORK/linux.$i ]] || { echo "FAIL: empty trace for ${arguments[*]:0:4}" >&2; exit 1; }
done
# A game of 20,504 ticks that reaches level 5: its key list is far longer than a Windows
# command line, and its trace far larger than a pipe holds.
long_game=(--seed 2033 --ticks 25000 --keys-file "$SOURCE/tests/replay/long_game.keys" --screen)
"$LINUX_REPLAY" "${long_game[@]}" >"$WORK/linux.long"
"$WINE" "$WINDOWS_REPLAY" "${long_game[@]}" | cat >"$WORK/windows.long"
[[ $(grep -c '"level":5,' "$WORK/linux.long") -gt 0 && $(grep -c '^{' "$WORK/linux.long") == 20504 ]] ||
    { echo "FAIL: the long game no longer lasts 20504 ticks to level 5" >&2; exit 1; }
cmp "$WORK/linux.long" "$WORK/windows.long" >&2 || { echo "FAIL: the long game's traces differ" >&2; exit 1; }
# The recorded games, byte for byte, their keys on standard input.
games=0
while read -r name seed ticks; do
    [[ -z $name || $name == \#* ]] && continue
    "$WINE" "$WINDOWS_REPLAY" --seed "$seed" --ticks "$ticks" --keys-file - --screen <"$SOURCE/tests/golden/$name.keys" |
        cat >"$WORK/golden.$name"
    cmp "$SOURCE/tests/golden/$name.trace" "$WORK/golden.$name" >&2 ||
        { echo "FAIL: $name differs from its recorded trace" >&2; exit 1; }
    # The same game from its recording file: the same trace, and a check that it ends as recorded.
    "$WINE" "$WINDOWS_REPLAY" --recording "$SOURCE/tests/golden/$name.vxr" --screen | cat >"$WORK/recorded.$name"
    cmp "$SOURCE/tests/golden/$name.trace" "$WORK/recorded.$name" >&2 ||
        { echo "FAIL: $name.vxr does not give the recorded trace" >&2; exit 1; }
    [[ $("$WINE" "$WINDOWS_REPLAY" --recording "$SOURCE/tests/golden/$name.vxr" --check | tr -d '\r') == "ok score "* ]] ||
        { echo "FAIL: $name.vxr does not check" >&2; exit 1; }
    games=$((games + 1))
done <"$SOURCE/tests/golden/games"
# A malformed argument is refused the same way: status 2, nothing on stdout.
status=0
"$WINE" "$WINDOWS_REPLAY" --seed x >"$WORK/bad" 2>/dev/null || status=$?
[[ $status == 2 && ! -s $WORK/bad ]] || { echo "FAIL: a bad argument gave status $status" >&2; exit 1; }
status=0
"$WINE" "$WINDOWS_REPLAY" --seed 1 --keys 1 --keys-file "$SOURCE/tests/replay/long_game.keys" >"$WORK/bad" 2>/dev/null || status=$?
[[ $status == 2 && ! -s $WORK/bad ]] || { echo "FAIL: --keys with --keys-file gave status $status" >&2; exit 1; }
echo "replay traces identical on Windows and Linux (${#cases[@]} cases, a long game, $games recorded games)"
