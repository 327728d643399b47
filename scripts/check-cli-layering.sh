#!/usr/bin/env bash
# The command-line tool works through the feature operations, never through
# the GUI's widgets: no file under src/cli/ may include a widget or page
# header, or send a control message.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
while IFS= read -r -d '' file; do
    if grep -nE '#include "ui/(toolkit/controls|pages)/' "$file"; then
        echo "$file: includes a widget or page header" >&2
        status=1
    fi
    if grep -nE '\bOnMessage\s*\(' "$file"; then
        echo "$file: sends a control message" >&2
        status=1
    fi
done < <(find src/cli -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
exit $status
