#!/usr/bin/env bash
# Task codes are named once (base/task.h): no call that takes a task code is
# given a bare number anywhere in src/.
set -euo pipefail
cd "$(dirname "$0")/.."
calls='(QueueTask|SetTaskBody|RunTask|TaskSendsStoredSettings|tasks\.Append)'
if grep -rnE "\b${calls}\(\s*[0-9]" src; then
  echo "check-named-numbers: a task code written as a bare number (name it from base/task.h)" >&2
  exit 1
fi
echo "check-named-numbers: every task code in src/ is named"
