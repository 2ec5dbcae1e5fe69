#!/usr/bin/env bash
# Makes the example tournaments again from the test generator: examples/*.qmc masked as the
# program saves them, examples/plain/*.qmc the same XML text readable by eye.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target persist_roundtrip_test
RANKHALL_UPDATE_EXAMPLES=1 build/release/tests/persist_roundtrip_test --gtest_filter='Examples.*'
