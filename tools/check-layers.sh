#!/bin/sh
# Fails when a file of the GUI-free core includes a QtWidgets or
# QtPrintSupport header in any form: <QtWidgets/QWidget>, <QtWidgets>,
# <QWidget>, <qwidget.h>. The Qt layer lives in */widgets/ and app/.
set -e
cd "$(dirname "$0")/.."
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
names=$( (ls "$qt/QtWidgets" "$qt/QtPrintSupport" 2>/dev/null; echo QtWidgets; echo QtPrintSupport) |
  sed 's/\.h$//' | sort -u | tr '\n' '|' | sed 's/|$//')
found=$(grep -rEn --include='*.h' --include='*.cpp' \
  "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]((QtWidgets|QtPrintSupport)/)?($names)(\.h)?[>\"]" \
  psychro model chart analysis project app/cli fuzz examples 2>/dev/null | grep -v '/widgets/' || true)
if [ -n "$found" ]; then
  echo "QtWidgets headers in the core:" >&2
  echo "$found" >&2
  exit 1
fi
echo "core free of QtWidgets: ok"
