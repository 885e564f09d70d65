#!/usr/bin/env bash
# Runs every test program of a build whole, its cases shuffled in one process. ctest runs each
# case in a process of its own; a developer runs a program whole. The programs are the ones
# whose cases ctest runs, found from ctest's own list of tests, and each starts the way ctest
# starts it (under Wine for the Windows build).
# Usage: run_whole_shuffled.sh BUILD_DIR
set -euo pipefail
build=$1
mapfile -t programs < <(cd "$build" && ctest --show-only=json-v1 | python3 -c '
import json, sys
programs = []
for test in json.load(sys.stdin)["tests"]:
    command = test.get("command") or []
    if any(arg.startswith("--gtest_filter=") for arg in command):
        starter = command[:next(i for i, arg in enumerate(command) if arg.startswith("--gtest_filter="))]
        if starter not in programs:
            programs.append(starter)
print("\n".join("\t".join(p) for p in programs))')
if [ "${#programs[@]}" -eq 0 ] || [ -z "${programs[0]}" ]; then
  echo "no test programs found in ctest's list"
  exit 1
fi
seed=$((RANDOM % 99999 + 1))
echo "shuffle seed $seed"
failed=()
for line in "${programs[@]}"; do
  IFS=$'\t' read -r -a command <<<"$line"
  echo "-- $(basename "${command[-1]}")"
  QT_QPA_PLATFORM=offscreen "${command[@]}" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1 \
    || failed+=("$(basename "${command[-1]}")")
done
if [ "${#failed[@]}" -gt 0 ]; then
  echo "failed run whole with seed $seed: ${failed[*]}"
  exit 1
fi
