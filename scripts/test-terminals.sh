#!/usr/bin/env bash
# Plays the game in real terminal emulators and terminal hosts, beyond the tmux scripts of
# the normal suite: xterm, Tilix (VTE), kitty and alacritty on a virtual X server, checked
# on screenshots; tmux and GNU screen as hosts, checked through capture-pane -e. All from
# Debian's packages, installed here when missing. A failure's screenshot is kept in
# build/terminals/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh xvfb xauth xterm kitty alacritty tilix dbus-x11 xdotool imagemagick screen tmux \
  libgl1-mesa-dri fonts-dejavu-core python3 bsdutils

if [[ ! -f build/CMakeCache.txt ]]; then
  cmake -S . -B build -DVEXAMOR_WERROR=ON >/dev/null
fi
cmake --build build -j "$(nproc)" --target vexamor >/dev/null
mkdir -p build/terminals

bash tests/terminal/emulators/hosts.sh "$PWD/build/vexamor"
# The virtual screen is larger than any of the windows; dbus-run-session gives Tilix the
# session bus it needs. The search for a free display starts at a random number, away from
# other X servers that xvfb-run starts at the same moment (all from 99 by default); with
# -noreset the server does not restart between two terminals, when no client is connected.
xvfb-run -a -n $((200 + RANDOM % 500)) -e build/terminals/xvfb.log -s "-screen 0 1280x1024x24 -noreset" \
  dbus-run-session -- bash tests/terminal/emulators/x11.sh "$PWD/build/vexamor" "$PWD/build/terminals"
