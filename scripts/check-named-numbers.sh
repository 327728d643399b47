#!/usr/bin/env bash
# Numbers that cross layers are named once: task codes in base/task.h, control
# ids in ui/ids/. No call that takes a task code, and no control table, lookup,
# builder or routing row that takes a control id, is given a bare number
# anywhere in src/.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

calls='(QueueTask|SetTaskBody|RunTask|TaskSendsStoredSettings|tasks\.Append)'
if grep -rnE "\b${calls}\(\s*[0-9]" src; then
  echo "check-named-numbers: a task code written as a bare number (name it from base/task.h)" >&2
  status=1
fi

# Where a control id is the argument: a control table row, a lookup, a
# builder, a visibility switch, a routing row, a placement.
id_uses='\.id = [0-9]'
id_uses+='|\b(GetControl|GetControlAs<[^>]+>|OnMessage|Show|Create(Child)?(Control|Area)<[^>]+>)\(\s*[0-9]'
id_uses+='|\b(FindInPage|FindOfClass<[^>]+>|Get<[^>]+>)\([^()]*,\s*[0-9]+\s*[,)]'
id_uses+='|ShowControls\([^()]*\{\s*[0-9]'
id_uses+='|(\{|,)\s*[0-9]+,\s*S::k'
id_uses+='|\{[0-9]+, [0-9]+, \{'
# A table of controls to show or hide, and the window helpers that take an id.
id_uses+='|\{\s*[0-9]+,\s*(true|false)\s*\}'
id_uses+='|\b(ShowControls|SetControl(Title|Text|Enabled)|SetLocalisedTitle)\([^(),]+,\s*\{?\s*[0-9]'
# An event handler's switch over control ids.
case_use='^\s*case [0-9]+:'

while IFS= read -r -d '' file; do
  if grep -nE "$id_uses" "$file"; then
    echo "$file: a control id written as a bare number (name it in src/ui/ids/)" >&2
    status=1
  fi
  # A file's own row builders that take the id first (Picture(id, ...)).
  builders=$(grep -oE 'constexpr \w+ [A-Z]\w*\(int id\b' "$file" | sed -E 's/.* (\w+)\(int id/\1/' |
    sort -u | paste -sd'|' || true)
  if [[ -n "$builders" ]] && grep -nE "\b(${builders})\(\s*[0-9]" "$file"; then
    echo "$file: a control id written as a bare number in a row (name it in src/ui/ids/)" >&2
    status=1
  fi
  case "$file" in
    src/ui/pages/* | src/ui/main/* | src/ui/dialogs/* | src/*/*page*.cpp | src/*/*_events.cpp)
      if grep -nE "$case_use" "$file"; then
        echo "$file: a control id written as a bare case label (name it in src/ui/ids/)" >&2
        status=1
      fi
      ;;
  esac
done < <(find src -path src/ui/ids -prune -o -path src/ui/toolkit -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)

# Control events are named in the toolkit (control_events.h,
# window_constants.h), once each: no bare event compared or sent, no second
# name for one.
event_uses='\bevent\s*[!=]=\s*[0-9]'
event_uses+='|\b(OnMessage|DeliverControlEvent)\([^(),]+,\s*[0-9]'
if grep -rnE "$event_uses" src; then
  echo "check-named-numbers: a control event written as a bare number (name it in src/ui/toolkit/control_events.h)" >&2
  status=1
fi
event_names=(src/ui/toolkit/control_events.h src/ui/toolkit/window_constants.h)
if grep -rnE 'constexpr\s+\w+\s+k\w+\s*=\s*(DUI::)?kEvent[A-Z]\w*\s*;' src; then
  echo "check-named-numbers: a second name for a control event (use the toolkit's)" >&2
  status=1
fi
if dup=$(grep -hoE 'kEvent[A-Za-z]+ = [0-9]+' "${event_names[@]}" | awk '{print $3}' | sort | uniq -d) &&
  [[ -n "$dup" ]]; then
  echo "check-named-numbers: control event value(s) named twice: $dup" >&2
  status=1
fi

if ((status == 0)); then
  echo "check-named-numbers: every task code, control id and control event in src/ is named"
fi
exit $status
