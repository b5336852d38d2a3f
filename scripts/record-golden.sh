#!/usr/bin/env bash
# Records the golden traces again from their key lists, with the native replay tool, and writes
# each game as a recording file too. Run it only
# on purpose, when a change of the rules is meant, and read the diff of tests/golden/*.trace
# before committing it: the tests compare every target's trace with these files.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DVEXAMOR_WERROR=ON >/dev/null
cmake --build build --target vexamor-replay -j "$(nproc)"
while read -r name seed ticks; do
  [[ -z $name || $name == \#* ]] && continue
  trace=tests/golden/$name.trace
  build/vexamor-replay --seed "$seed" --ticks "$ticks" --keys-file "tests/golden/$name.keys" --screen >"$trace"
  ticks=$(grep -c '^{' "$trace")
  last=$(grep '^{' "$trace" | tail -n 1)
  field() { grep -o "\"$1\":[0-9]*" <<<"$last" | cut -d: -f2; }
  # The same game as a recording file: the trace's end and the keys its ticks read.
  {
    echo "vexamor-recording 1"
    echo "game 1.0.0"
    echo "date $(date -u -d "@$seed" +%Y-%m-%dT%H:%M:%SZ)"
    echo "seed $seed"
    echo "carried 20 0"
    echo "colors 14 2 4 5 8 8"
    echo "score $(field score)"
    echo "level $(field level)"
    echo "ticks $ticks"
    echo "ended gameover"
    echo "keys $(tr -d ' \n' <"tests/golden/$name.keys" | cut -d, -f "1-$ticks")"
  } >"tests/golden/$name.vxr"
  echo "recorded $trace and tests/golden/$name.vxr: $ticks ticks"
done <tests/golden/games
