#!/usr/bin/env bash
# Checks that every C and C++ file of the game, its tests, tools and benchmarks is formatted as
# .clang-format says; prints the offending lines and fails otherwise. Fix with the same command
# and -i instead of --dry-run --Werror.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
git ls-files -z --cached --others --exclude-standard -- 'src/*' 'tests/*' 'tools/*' 'bench/*' \
  | grep -zE '\.(c|cc|cpp|h|hpp)$' \
  | xargs -0 -r "$format" --dry-run --Werror
