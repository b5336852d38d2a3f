#!/usr/bin/env bash
# Builds the browser version and serves it on this machine only, as a static host would
# (compressed, revalidated by ETag): http://127.0.0.1:PORT/ (8080 unless a port is given).
# Ctrl-C stops the server.
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}
./scripts/build-web.sh
exec node tools/web/serve.mjs build-web/site "$port"
