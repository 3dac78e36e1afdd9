#!/usr/bin/env bash
# Times `daywise --create` over a month of a large database (50 users, 20 000 contacts,
# 200 000 activities, all users shown, every field shown), then over twice the activities.
# Usage: bench/run.sh path/to/daywise path/to/make_bench_db [work-dir]
set -euo pipefail
daywise=$1
make_db=$2
work=${3:-${TMPDIR:-/tmp}/daywise-bench}
mkdir -p "$work"

export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data LC_ALL=C.UTF-8 TZ=UTC
. "$(dirname "$0")/settings.sh"

run() {
    local activities=$1
    local db=$work/bench-$activities.actdb
    export DAYWISE_ACT_HOME=$work/act-$activities
    if [ ! -f "$db" ]; then
        echo "Making $db ..."
        "$make_db" "$db" --home "$DAYWISE_ACT_HOME" --activities "$activities"
    fi
    local out=$work/html-$activities
    /usr/bin/time -f "%e %U %S %M" -o "$work/time-$activities" \
        "$daywise" --create --start 2024-03-01 --month --html-dir "$out" > /dev/null
    read -r seconds user system kilobytes < "$work/time-$activities"
    local rows
    rows=$(grep -o "Nbactivities\[[0-9]*\]=[0-9]*" "$out/data.js" | awk -F= '{s += $2} END {print s}')
    local size
    size=$(du -k "$out/data.js" | cut -f1)
    # CPU time (user + system) is the steadier figure on a machine shared with other work.
    printf "%8d activities: %6d rows, %5.2f s (CPU %4.2f s), %4d MB peak, data.js %d kB\n" \
        "$activities" "$rows" "$seconds" "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')" \
        $((kilobytes / 1024)) "$size"
    echo "$seconds"  > "$work/seconds-$activities"
}

run 200000
run 400000
awk -v a="$(cat "$work/seconds-200000")" -v b="$(cat "$work/seconds-400000")" \
    'BEGIN { printf "Twice the rows take %.2f times as long.\n", b / a }'
