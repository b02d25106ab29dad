#!/usr/bin/env bash
# Builds the reader and opens it on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
build="$(pwd)/${BUILD_DIR:-build}"
cd "$build/sample-data"
if [ -x "$build/ronvetta" ]; then
  exec "$build/ronvetta" "$@"
fi
echo "The sample data is built in $build/sample-data; the main window is not part of this build yet."
