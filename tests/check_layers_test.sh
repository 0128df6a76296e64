#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/check-layers passes on src/ as it is, and fails on a copy in which
# an engine header includes Qt, naming that header.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$root/scripts/check-layers" "$root/src"

cp -r "$root/src" "$scratch/src"
echo '#include <QString>' >>"$scratch/src/expr/compiler.h"
status=0
"$root/scripts/check-layers" "$scratch/src" 2>"$scratch/out" || status=$?
cat "$scratch/out"
[ "$status" -eq 1 ] && grep -q 'src/expr/compiler.h:.*<QString>' "$scratch/out"
