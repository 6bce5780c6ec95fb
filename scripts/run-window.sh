#!/usr/bin/env bash
# Opens the window. The layout's default texts are written with a decimal
# comma, so unless the user has chosen a numeric locale of their own the
# window starts with the Brazilian number format.
set -euo pipefail
build=${1:-build}
if [ ! -x "$build/src/app/tarvinel" ]; then
  echo "The window is not built yet: $build/src/app/tarvinel is missing." >&2
  exit 1
fi
if [ -z "${LC_ALL:-}" ] && [ -z "${LC_NUMERIC:-}" ]; then
  export LC_NUMERIC=pt_BR.UTF-8
fi
exec "$build/src/app/tarvinel"
