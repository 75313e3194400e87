#!/usr/bin/env bash
# Sets up, builds every preset and runs every test: native, native under ASan+UBSan,
# the fuzzers (bounded), and the Windows build under Wine; the Windows build with clang
# is built only, as a second compiler's check. Fails if any test fails, a preset ran
# none, or a build fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

status=0
for preset in native native-asan fuzz win; do
  echo "==== $preset"
  cmake --preset "$preset" >/dev/null || { status=1; continue; }
  cmake --build --preset "$preset" || { status=1; continue; }
  ctest --preset "$preset" || status=1
done

echo "==== win-clang (build only)"
if cmake --preset win-clang >/dev/null; then
  cmake --build --preset win-clang || status=1
else
  status=1
fi

if [ $status -ne 0 ]; then
  echo "TESTS FAILED" >&2
fi
exit $status
