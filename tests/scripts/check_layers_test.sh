#!/usr/bin/env bash
# scripts/check-layers passes on the tree as it stands, and names file and line of each include
# planted against the order in a copy of it.
set -euo pipefail
root="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -RL "$root/src" "$work/src"
check() { python3 "$root/scripts/check-layers" "$work"; }
if ! output=$(check); then
  printf 'the tree itself fails:\n%s\n' "$output"
  exit 1
fi

failed=0
# file | planted line | what the report says at that file and line ("ok": nothing)
while IFS='|' read -r file line expected; do
  target="$work/src/$file"
  cp "$target" "$work/saved"
  echo "$line" >>"$target"
  number=$(wc -l <"$target")
  if output=$(check); then
    [ "$expected" = ok ] || { echo "not caught: $line in $file"; failed=1; }
  elif [ "$expected" = ok ] || ! grep -qF "src/$file:$number: $expected" <<<"$output"; then
    printf 'wrong report for %s in %s:\n%s\n' "$line" "$file" "$output"
    failed=1
  fi
  mv "$work/saved" "$target"
done <<'CASES'
core/tools/text.cpp|#include "core/settings/settings_store.h"|includes core/settings/settings_store.h: core/tools may not include core/settings
core/data/result_list.h|#include "core/watcher/watch_cycle.h"|includes core/watcher/watch_cycle.h: core/data may not include core/watcher
core/setup/sound_choice.cpp|#include "core/browsers/grid_keys.h"|includes core/browsers/grid_keys.h: core/setup may not include core/browsers
core/settings/environment.cpp|#include "../watcher/watch_cycle.h"|includes core/watcher/watch_cycle.h: core/settings may not include core/watcher
core/projects/log_row.cpp|#include <QString>|src/core includes Qt (QString)
core/display/cell_text.cpp|#include <QtCore/qglobal.h>|src/core includes Qt (QtCore/qglobal.h)
core/watcher/watch_cycle.cpp|#include "gui/qt_text.h"|src/core includes gui/qt_text.h, which stands above it
core/watcher/watch_cycle.cpp|#include "core/watcher/moved_away.h"|includes core/watcher/moved_away.h, which is not there
gui/qt_text.cpp|#include "core/watcher/moved_away.h"|includes core/watcher/moved_away.h, which is not there
gui/qt_text.cpp|#include <QString>|ok
core/program/program.cpp|#include "core/watcher/watch_cycle.h"|ok
core/display/cell_text.cpp|#include "core/projects/score_rating.h"|ok
CASES

mkdir "$work/src/core/extra"
echo '#include "core/tools/text.h"' >"$work/src/core/extra/extra.cpp"
if output=$(check) || ! grep -qxF "src/core/extra: folder is not in the order" <<<"$output"; then
  printf 'a folder missing from the order is not reported:\n%s\n' "$output"
  failed=1
fi
exit "$failed"
