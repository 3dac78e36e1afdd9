#!/usr/bin/env bash
# Times the calendar page in headless Chromium over a month of the 200 000-activity benchmark
# database (about 30 000 entries, every field shown) and over its first five days (about
# 5 000 entries). The database is the generation benchmark's, made when missing.
# Usage: bench/run-page.sh path/to/daywise path/to/make_bench_db path/to/html [work-dir]
set -euo pipefail
here=$(dirname "$0")
daywise=$1
make_db=$2
page_files=$3
work=${4:-${TMPDIR:-/tmp}/daywise-bench}
mkdir -p "$work"

export XDG_CONFIG_HOME=$work/page-config XDG_DATA_HOME=$work/data LC_ALL=C.UTF-8 TZ=UTC
. "$here/settings.sh"

db=$work/bench-200000.actdb
export DAYWISE_ACT_HOME=$work/act-200000
if [ ! -f "$db" ]; then
    echo "Making $db ..."
    "$make_db" "$db" --home "$DAYWISE_ACT_HOME" --activities 200000
fi

calendar() {
    local out=$work/page-$1
    shift
    rm -rf "$out"
    mkdir -p "$out"
    cp "$page_files"/Daywise.htm "$page_files"/Daywise.css "$page_files"/*.gif "$out"/
    "$daywise" --create "$@" --html-dir "$out" > /dev/null
}
calendar month --start 2024-03-01 --month
calendar days --start 2024-03-01 --end 2024-03-05

node "$here/page-bench.js" --chromium "${CHROMIUM:-/usr/bin/chromium}" \
    "month=$work/page-month/Daywise.htm" "five days=$work/page-days/Daywise.htm"
