#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit and end-to-end).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh test
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
