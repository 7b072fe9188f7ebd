#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on a word file
# (examples/words.txt when none is named).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh run
scripts/build.sh
words="${1:-examples/words.txt}"
exec build/app/inkwarde "$words"
