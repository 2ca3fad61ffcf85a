#!/usr/bin/env bash
# Builds everything and runs every test (GoogleTest, Qt Test on the offscreen platform, fuzz smoke run).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
ctest --test-dir build --output-on-failure -j2 --timeout 600
