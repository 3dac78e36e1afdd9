#!/usr/bin/env bash
# Sets up and builds Daywise, opens the demo database in the stand-in ACT!, and runs
# Daywise on it: the main window when a display is there, otherwise one headless calendar.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
demo_db=${DAYWISE_DEMO_DB:-$data_home/Daywise/demo.actdb}
mkdir -p "$(dirname "$demo_db")"
# The demo's activities lie around the day it was made: after a week they would have left
# the calendar's range, so an older one is made afresh around today.
if [ ! -f "$demo_db" ] || [ -n "$(find "$demo_db" -mmin +$((7 * 24 * 60)))" ]; then
    build/bin/daywise-actdb demo "$demo_db"
fi
build/bin/daywise-actdb open "$demo_db"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/daywise
else
    echo "No display: making this month's calendar without windows."
    exec build/bin/daywise --create --month --start "$(date +%Y-%m-01)"
fi
