#!/usr/bin/env bash
# Times the viewer on a large generated result: 100 threads, 10 million samples, 1 million
# markers, 200,000 transitions. Reports the time to generate the result (once; it is kept in
# the work directory) and the wall time and peak memory from start to a complete screenshot.
# Usage: app/scripts/time_big_result.sh [BUILD_DIR] [WORK_DIR]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="${1:-$ROOT/build}"
WORK="${2:-${TMPDIR:-/tmp}/velmora-big}"
VIEWER="$BUILD/bin/velmora-viewer"
[ -x "$VIEWER" ] || { echo "no viewer at $VIEWER: build the velmora-viewer target first" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (Debian package 'time')" >&2; exit 1; }

RESULT="$WORK/result"
mkdir -p "$WORK"
if [ ! -f "$RESULT/result.sqlite" ]; then
  echo "generating $RESULT"
  /usr/bin/time -f "generate: %e s, peak %M KiB" "$VIEWER" generate "$RESULT" \
    --threads 100 --samples 10000000 --markers 1000000 --transitions 200000 --global-markers 2000
fi

run() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1920x1200x24" "$@"; fi
}
for viewpoint in default all_layers; do
  run /usr/bin/time -f "screenshot ($viewpoint): %e s wall, %U s user, peak %M KiB" \
    "$VIEWER" view "$RESULT" --viewpoint "$viewpoint" --screenshot "$WORK/$viewpoint.png" --timeout 3600 \
    2> >(grep -v '^info:' >&2)
done
echo "screenshots in $WORK"
