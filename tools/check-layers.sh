#!/bin/sh
# The folder rules the compiler cannot see:
# - nothing in the core (psychro, model, climate, chart, analysis, project, and the
#   translations both programs link) includes anything from gui/ or cli/,
#   and the command-line program includes nothing from gui/;
# - nothing outside gui/ (and its tests, tests/gui/, and its benchmarks,
#   bench/gui/) includes a QtWidgets, QtPrintSupport or QtCharts header in
#   any form: <QtWidgets/QWidget>, <QtWidgets>, <QWidget>, <qwidget.h>.
# - the chart's geometry (chart/) and the analyses include nothing of the
#   chart's drawing (render/): no canvas, renderer, export or cache.
# The other layers inside the core are enforced by the build itself.
set -e
cd "$(dirname "$0")/.."
status=0
core="psychro model climate chart analysis render project translations"
sources() { grep -rEn --include='*.h' --include='*.cpp' "$@" 2>/dev/null || true; }

up=$(sources '^[[:space:]]*#[[:space:]]*include[[:space:]]*"(gui|cli)/' $core)
up="$up$(sources '^[[:space:]]*#[[:space:]]*include[[:space:]]*"gui/' cli)"
if [ -n "$up" ]; then
  echo "includes that climb out of the core into gui/ or cli/:" >&2
  echo "$up" >&2
  status=1
fi

drawing=$(sources '^[[:space:]]*#[[:space:]]*include[[:space:]]*"render/' chart analysis)
if [ -n "$drawing" ]; then
  echo "the chart's geometry or the analyses include the chart's drawing:" >&2
  echo "$drawing" >&2
  status=1
fi

qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
names=$( (ls "$qt/QtWidgets" "$qt/QtPrintSupport" "$qt/QtCharts" 2>/dev/null; echo QtWidgets; echo QtPrintSupport; echo QtCharts) |
  sed 's/\.h$//' | sort -u | tr '\n' '|' | sed 's/|$//')
outside=$(git ls-files -- '*.h' '*.cpp' | grep -vE '^(gui|tests/gui|bench/gui)/' | tr '\n' ' ')
widgets=$(sources "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]((QtWidgets|QtPrintSupport|QtCharts)/)?($names)(\.h)?[>\"]" $outside)
if [ -n "$widgets" ]; then
  echo "QtWidgets, QtPrintSupport or QtCharts headers outside gui/:" >&2
  echo "$widgets" >&2
  status=1
fi

[ $status -eq 0 ] && echo "folders: the core includes nothing of gui/ or cli/, the geometry and the analyses nothing of render/, QtWidgets and QtCharts only in gui/: ok"
exit $status
