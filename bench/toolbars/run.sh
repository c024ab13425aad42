#!/usr/bin/env bash
# Runs the control's benchmarks under Wine: IDispatch calls against the object
# model (lookup by ID must stay flat as tools grow), and configuration save and
# load with 2,000 and 4,000 tools, and the dock painter against the toolbar
# common control, and keys and menus through real input. Reuses the `windows` preset's build folder.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/setup.sh
cmake --preset windows -DQUARROW_BENCH=ON >/dev/null
cmake --build --preset windows -j2 --target toolbar_model_bench persistence_bench paint_bench menu_bench >/dev/null

export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bin=build/windows/toolbars/bin
/usr/lib/wine/wine64 "$bin/toolbar_model_bench.exe"
/usr/lib/wine/wine64 "$bin/persistence_bench.exe"
# The common controls it compares with are windows: it needs a display.
xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64 "$bin/paint_bench.exe"
# Keys through the hooks and menus opening, with real input on a display.
xvfb-run -a -s "-screen 0 1024x768x24" /usr/lib/wine/wine64 "$bin/menu_bench.exe"
