#!/usr/bin/env bash
# Makes the pictures of the game in doc/screenshots/ from the game itself: the whole program
# runs headless (tools/screenshots, vexamor-screens) from a fixed seed with keys at fixed
# virtual times, and the screens it writes are drawn in the console's 16 colours with the
# VGA font of Debian's console fonts (tools/screenshots/render.py). The same game gives the
# same pictures, so they are remade, never drawn by hand.
#   scripts/screenshots.sh          remakes doc/screenshots/*.png
#   scripts/screenshots.sh --check  fails when the game no longer draws what they show
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh python3 console-setup-linux appstream
fonts=/usr/share/consolefonts/Uni2-VGA16.psf.gz:/usr/share/consolefonts/FullGreek-VGA16.psf.gz

if [[ ! -f build/CMakeCache.txt ]]; then
  cmake -S . -B build -DVEXAMOR_WERROR=ON >/dev/null
fi
cmake --build build -j "$(nproc)" --target vexamor-screens >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The intro's banner at its last line, the menu while it cycles the banner's colour, and the
# first colour page after '1' (49), a few arrows (77) later.
build/vexamor-screens --seed 1 --keys 15000:49,15400:77,15600:77 \
  --shot 12300:intro --shot 14350:menu --shot 16000:colors --out "$work"

# A game: '2' (50) in the menu, then firing ('a', 97) between moves (72 up, 75 left,
# 77 right, 80 down), a key every 90 ms.
pattern=(97 77 97 72 97 75 97 80 97 77 97 77 97 75 97 75 97 72 97 80)
keys=15000:50
for ((i = 0, t = 15200; i < 560; i++, t += 90)); do
  keys+=",$t:${pattern[i % ${#pattern[@]}]}"
done
build/vexamor-screens --seed 1700000000 --keys "$keys" --shot 65000:game --out "$work"

python3 tools/screenshots/render.py "$fonts" "$work" "$work"/*.cells

if [[ ${1:-} == --check ]]; then
  for picture in "$work"/*.png; do
    name=$(basename "$picture")
    if ! python3 tools/screenshots/render.py --compare "$picture" "doc/screenshots/$name"; then
      echo "screenshots.sh: doc/screenshots/$name differs from what the game draws now;" \
        "remake the pictures with scripts/screenshots.sh" >&2
      exit 1
    fi
  done
  # Software centres list exactly these pictures, at the address the pages workflow gives
  # them (build-web.sh copies them into the site); the page's link preview is one of them.
  listed=$(sed -n 's|.*<image[^>]*>https://[^<]*/screenshots/\([a-z0-9-]*\.png\)</image>.*|\1|p' \
    data/*.metainfo.xml | sort)
  if [[ $listed != "$(cd "$work" && ls -- *.png | sort)" ]]; then
    echo "screenshots.sh: the AppStream metadata lists other pictures: $listed" >&2
    exit 1
  fi
  appstreamcli validate --pedantic --no-net data/*.metainfo.xml >/dev/null
  preview=$(sed -n 's|.*property="og:image" content="https://[^"]*/screenshots/\([^"]*\)".*|\1|p' web/index.html)
  [[ -n $preview && -f doc/screenshots/$preview ]] || { echo "screenshots.sh: the page's og:image names no picture" >&2; exit 1; }
  echo "screenshots: $(ls "$work"/*.png | wc -l) pictures match the game"
else
  mkdir -p doc/screenshots
  cp "$work"/*.png doc/screenshots/
  du -ch doc/screenshots/*.png | tail -1
fi
