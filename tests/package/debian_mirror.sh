#!/usr/bin/env bash
# Prints the Debian mirror this machine's apt uses for bookworm (deb822 .sources or
# one-line lists), or Debian's own redirector when none is configured.
set -euo pipefail
shopt -s nullglob
for file in /etc/apt/sources.list.d/*.sources; do
  # Stanzas are separated by blank lines; take one whose suites include plain "bookworm".
  awk 'BEGIN { RS = ""; FS = "\n" }
       { uris = ""; suites = ""
         for (i = 1; i <= NF; i++) {
           if ($i ~ /^URIs:/) uris = $i
           if ($i ~ /^Suites:/) suites = $i
         }
         if (suites ~ /[: ]bookworm( |$)/ && uris != "") { sub(/^URIs: */, "", uris); split(uris, u, " "); print u[1]; exit }
       }' "$file"
done | head -1 | grep . && exit 0
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$file" ] || continue
  sed -E 's/\[[^]]*\]//' "$file" | awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }'
done | head -1 | grep . && exit 0
echo http://deb.debian.org/debian
