#!/usr/bin/env bash
# Builds Dolvera and runs every test.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"

bash "$radice/scripts/dipendenze.sh"
cmake -S "$radice" -B "$radice/build-test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$radice/build-test" -j2
ctest --test-dir "$radice/build-test" --output-on-failure -j2
