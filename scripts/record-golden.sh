#!/usr/bin/env bash
# Records the golden traces again from their key lists, with the native replay tool. Run it only
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
  echo "recorded $trace: $(grep -c '^{' "$trace") ticks"
done <tests/golden/games
