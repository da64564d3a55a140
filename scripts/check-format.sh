#!/usr/bin/env bash
# Checks that every C++ file of the project is formatted as .clang-format says; lists the
# files that are not and fails. With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=${CLANG_FORMAT:-clang-format}
if ! command -v "$tool" >/dev/null; then
  echo "check-format: $tool not found (apt-get install clang-format)" >&2
  exit 2
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == "--fix" ]]; then
  "$tool" -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  "$tool" --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  printf 'not formatted: %s\n' "${bad[@]}" >&2
  echo "${#bad[@]} of ${#files[@]} files need scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "all ${#files[@]} files formatted"
