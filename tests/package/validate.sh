#!/usr/bin/env bash
# Runs a validator on a file: passes when it reports neither errors nor warnings.
# Usage: validate.sh TOOL [ARG...] FILE. Skips (status 77) when TOOL is not installed.
set -uo pipefail
tool=$1
if ! command -v "$tool" >/dev/null; then
  echo "SKIPPED: $tool is not installed (scripts/deps.sh --package installs it)"
  exit 77
fi
out=$("$@" 2>&1)
rc=$?
printf '%s\n' "$out"
if [ $rc -ne 0 ]; then
  echo "FAILED: $tool exited with status $rc"
  exit 1
fi
# Validators that pass with warnings still name them.
if grep -qiE '(^|[^a-z])(error|warning)s?:' <<<"$out"; then
  echo "FAILED: $tool reported problems"
  exit 1
fi
