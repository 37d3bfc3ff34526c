#!/usr/bin/env bash
# Brings translations/*.ts up to date with the texts in src/: new texts come in
# unfinished, vanished ones are dropped. Russian is the source language, so
# tallimo_ru.ts holds only the plural forms of the texts that have them.
# With --check, changes nothing and fails if any file is not complete: a text
# unfinished, or one the sources no longer have.
# usage: scripts/update_translations.sh [--check] [translations/tallimo_LANG.ts ...]
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
check=false
if [ "${1:-}" = --check ]; then check=true; shift; fi
[ $# -gt 0 ] || set -- translations/tallimo_*.ts

# Texts in Qt's own contexts (QLineEdit's "&Paste", which the phone box looks for in its
# menu) are Qt's to translate, in qtbase_*.qm: they are left out here.
update() {
  "$lupdate" "$@"
  /usr/bin/python3 - "${@: -1}" <<'PYTHON'
import re, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
text = re.sub(r"<context>\s*<name>Q[A-Za-z]*</name>.*?</context>\n", "", text, flags=re.S)
open(path, "w", encoding="utf-8").write(text)
PYTHON
}

status=0
for ts in "$@"; do
  options=(-silent -locations none -source-language ru_RU)
  case "$ts" in *_ru.ts) options+=(-pluralonly) ;; esac
  if ! $check; then
    update "${options[@]}" -no-obsolete src -ts "$ts"
    continue
  fi
  copy=$(mktemp --suffix=.ts)
  cp "$ts" "$copy"
  update "${options[@]}" src -ts "$copy"
  if grep -nE 'type="(unfinished|vanished|obsolete)"' "$copy" >&2; then
    echo "$ts: not complete against the sources (run scripts/update_translations.sh, then translate)" >&2
    status=1
  fi
  rm -f "$copy"
done
exit $status
