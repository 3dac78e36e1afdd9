// The calendar page's code. Daywise writes it as script.js, with the user's layout baked into
// Layout in place of the marker below; the days and entries come from Read() in data.js.
//
// A month can hold tens of thousands of entries, so the first screen is built at once and the
// rest in slices from a timer, each short enough that the page scrolls and answers meanwhile.
// Printing finishes the calendar first.
/* global Layout, Read, Header, Users, Activitytype, Fdaydate, Ldaydate, Fmonthmmm,
   Lmonthmmm, Nbfields, Nbdays, Day, Nbactivities, Activities, calendar */
// @layout

var Tabletag = "";
var M = Layout.months;
var D = Layout.weekdays;
var fs = 1;
var bg = "#ffcc00";

// Entries shown before the page first paints, and the time one later slice may take.
var FirstScreenEntries = 60;
var SliceMilliseconds = 30;

var calendarRead = false;

function ReadOnce() {
    if (calendarRead)
        return;
    Read();
    calendarRead = true;
    if (!DataLooksWhole())
        throw new Error("data.js is damaged");
}

// A file cut short or edited by hand would otherwise draw a calendar with holes in it.
function DataLooksWhole() {
    if (!(Nbdays > 0) || !Array.isArray(Day) || !Array.isArray(Nbactivities) ||
        !Array.isArray(Activities))
        return false;
    for (var i = 0; i < Nbdays; i++)
        if (typeof Day[i] != "string" || !(Nbactivities[i] >= 0))
            return false;
    var total = GetTotal(Nbdays);
    return total >= 0 && Activities.length >= total * Nbfields &&
        (total === 0 || Activities[total * Nbfields - 1] !== undefined);
}

function EscapeText(text) {
    return String(text).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
}

// Black or white, whichever stands further from the background: either gives a contrast of
// at least 4.5:1 on any colour.
function BannerInk(hex) {
    var channel = function (shift) {
        var c = ((parseInt(hex, 16) >> shift) & 255) / 255;
        return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
    };
    var luminance = 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0);
    return (luminance + 0.05) / 0.05 >= 1.05 / (luminance + 0.05) ? "#000000" : "#ffffff";
}

// The user's widths are shares of the line; they need not add up to 100.
function ColumnWidths() {
    var sum = Layout.widths.reduce(function (a, b) { return a + b; }, 0);
    return Layout.widths.map(function (w) {
        return sum > 0 ? (w * 100 / sum).toFixed(3) : (100 / 6).toFixed(3);
    });
}

function TitleBlock() {
    var forLine = '<div id=cellfor><span id=activitiesfor>' + Activitytype + ' ' +
        EscapeText(Layout.forCaption) + ' ' + Users + '</span></div>';
    if (!Layout.header)
        return '<div class="title short">' + forLine + '</div>';
    var first = Fdaydate.split(" ");
    var last = Ldaydate.split(" ");
    return '<div class=title>' +
        '<div id=tcellleft><span id=tmonth>' + Fmonthmmm + '</span> <span id=tday>' +
        parseInt(first[2], 10) + '</span></div>' +
        '<div class=titlemiddle><div id=header>' + Header + '</div><div id=calendars></div></div>' +
        '<div id=tcellright><span id=tday>' + parseInt(last[2], 10) + '</span> <span id=tmonth>' +
        Lmonthmmm + '</span></div>' + forLine + '</div>';
}

// Builds the days' markup in order, a slice at a time; a day larger than a slice continues
// in its own row group with the next slice.
function CalendarWriter(page) {
    this.page = page;
    this.day = 0;
    this.entry = 0;
    this.position = 0;
    this.open = false;
    this.colgroup = '<colgroup>' + ColumnWidths().map(function (w) {
        return '<col style="width:' + w + '%">';
    }).join("") + '</colgroup>';
    this.bannerStyle = ' style="background-color:#' + Layout.dateBackground + ';color:' +
        BannerInk(Layout.dateBackground) + '"';
    this.columns = [[], [], [], [], [], []];
    for (var k = 0; k < Layout.fields.length; k++)
        this.columns[Layout.fields[k][2]].push(Layout.fields[k]);
}

CalendarWriter.prototype.done = function () {
    return this.day >= Nbdays;
};

CalendarWriter.prototype.dayStart = function (i) {
    var banner = '<thead><tr><th colspan=6><div class=day' + this.bannerStyle +
        '><span class=dayleft>' + GetWeekDay(Day[i]) + '</span> <span class=dayright>' +
        GetDate(Day[i]) + '</span></div></th></tr></thead>';
    var start = '<div class=dayblock style="contain-intrinsic-size:auto ' +
        (60 + 64 * Nbactivities[i]) + 'px"><table class=acty>' + this.colgroup + banner;
    if (Nbactivities[i] === 0)
        return start + '<tbody id=D' + i + '><tr><td colspan=6 class=empty>' +
            EscapeText(Layout.emptyDay) + '</td></tr></tbody></table></div>';
    return start + '<tbody id=D' + i + '>';
};

CalendarWriter.prototype.entryRow = function (i, j, p) {
    var f = p * Nbfields;
    var type = ["call", "meeting", "todo"][Activities[f]] || "call";
    var colour = Activities[f + 21];
    var row = '<tr class="' + type + ' ' + Activities[f + 1] + '"' +
        (colour ? ' style="color:#' + colour + '"' : '') + '>';
    var id = 'D' + i + 'A' + j + 'C';
    for (var c = 0; c < 6; c++) {
        row += '<td id=' + id + c + '>';
        if (c === Layout.iconColumn)
            row += '<img src=' + (Activities[f + 20] == 1 ? 'r' : '') + type +
                '.gif width=16 height=16 alt="">';
        var fields = this.columns[c];
        for (var k = 0; k < fields.length; k++) {
            var text = Activities[f + fields[k][0]];
            if (text !== "")
                row += '<div class=' + fields[k][1] + '>' + text + '</div>';
        }
        row += '</td>';
    }
    return row + '</tr>';
};

// Writes about `entries` more entries (an empty day counts as one). Rows of a day left open by
// the slice before go into that day's row group, the rest after the last day.
CalendarWriter.prototype.write = function (entries) {
    var into = this.open ? document.getElementById('D' + this.day) : this.page;
    var parts = [];
    while (!this.done() && entries > 0) {
        var i = this.day;
        if (!this.open) {
            if (into !== this.page) {
                into.insertAdjacentHTML("beforeend", parts.join(""));
                parts = [];
                into = this.page;
            }
            parts.push(this.dayStart(i));
            this.open = true;
            if (Nbactivities[i] === 0)
                entries--;
        }
        for (; this.entry < Nbactivities[i] && entries > 0; this.entry++, entries--)
            parts.push(this.entryRow(i, this.entry, this.position++));
        if (this.entry >= Nbactivities[i]) {
            if (into === this.page && Nbactivities[i] > 0)
                parts.push('</tbody></table></div>');
            this.day++;
            this.entry = 0;
            this.open = false;
        }
    }
    if (parts.length)
        into.insertAdjacentHTML("beforeend", parts.join(""));
};

CalendarWriter.prototype.finish = function () {
    clearTimeout(this.timer);
    while (!this.done())
        this.write(100000);
    this.page.removeAttribute("aria-busy");
};

// Slices grow or shrink so that each takes about SliceMilliseconds, whatever the machine.
CalendarWriter.prototype.fillLater = function () {
    var writer = this;
    var entries = 200;
    var step = function () {
        var started = performance.now();
        writer.write(entries);
        var took = Math.max(performance.now() - started, 1);
        entries = Math.max(20, Math.min(400, Math.round(entries * SliceMilliseconds / took)));
        if (writer.done())
            writer.page.removeAttribute("aria-busy");
        else
            writer.timer = setTimeout(step, 0);
    };
    if (this.done())
        return;
    this.page.setAttribute("aria-busy", "true");
    // The first slice waits for the first screen to be painted.
    requestAnimationFrame(function () { writer.timer = setTimeout(step, 0); });
};

function CreateTables() {
    ReadOnce();
    document.documentElement.lang = Layout.language;
    var page = document.getElementById("calendar");
    var widths = ColumnWidths();
    page.style.setProperty("--columns", widths.map(function (w) {
        return "minmax(0, " + w + "fr)";
    }).join(" "));
    page.style.setProperty("--narrow-columns", widths.slice(0, 3).map(function (w) {
        return "minmax(24px, " + w + "fr)";
    }).join(" "));
    Tabletag = TitleBlock();
    page.insertAdjacentHTML("beforeend", Tabletag);
    var writer = new CalendarWriter(page);
    writer.write(FirstScreenEntries);
    writer.fillLater();
    // Printing must not wait for the timer.
    window.addEventListener("beforeprint", function () { writer.finish(); });
}

function GetTotal(index) {
    var total = 0;
    for (var i = 0; i < index; i++)
        total += Nbactivities[i];
    return total;
}

function GetDate(thedate) {
    return thedate.substring(thedate.indexOf("~") + 1);
}

function GetWeekDay(thedate) {
    return thedate.substring(0, thedate.indexOf("~"));
}

function GetMonth(thedate) {
    return thedate.substring(thedate.indexOf("~") + 1, thedate.indexOf("~") + 4);
}

function GetDay(thedate) {
    return thedate.substring(thedate.indexOf(" ") + 1, thedate.indexOf(",") - 2);
}

function Read1() {
    fs = 1;
    bg = "#ffcc00";
    M = Layout.months;
    D = Layout.weekdays;
}

// The three small calendars start one month before the range when the range fits the middle
// and right calendars, and with the range's first month otherwise; every day of the range is
// marked in the month it belongs to.
function getCal() {
    Read1();
    ReadOnce();
    if (!Layout.header)
        return Tabletag;
    var first = Fdaydate.split(" ").map(Number);
    var last = Ldaydate.split(" ").map(Number);
    var fdy = first[2];
    var ldy = last[2];
    var lastMonth = (last[0] - first[0]) * 12 + last[1] - first[1];
    var start = (lastMonth === 0 || (lastMonth === 1 && !(fdy > 10 && ldy > 10))) ? -1 : 0;
    var boxes = ["lastcal", "thiscal", "nextcal"];
    var markup = '<div class=mastercal>';
    for (var n = 0; n < 3; n++) {
        var k = start + n;
        var month = new Date(first[0], first[1] - 1 + k, 1);
        var marked = k >= 0 && k <= lastMonth;
        markup += '<div id=' + boxes[n] + '>' +
            Calendar(month, marked ? 1 : 0, k === 0 ? fdy : 1, k === lastMonth ? ldy : 31) +
            '</div>';
    }
    document.getElementById("calendars").insertAdjacentHTML("beforeend", markup + '</div>');
    return Tabletag;
}

// One month as a Sunday-first grid; days min to max are marked when cur is 1.
function Calendar(bgn, cur, min, max) {
    var year = bgn.getFullYear();
    var month = bgn.getMonth();
    var length = new Date(year, month + 1, 0).getDate();
    var cell = function (day) {
        if (day < 1 || day > length)
            return '<td><div id=calday>&nbsp;</div></td>';
        var id = cur === 1 && day >= min && day <= max ? 'caldayin' : 'calday';
        return '<td><div id=' + id + '>' + day + '</div></td>';
    };
    var table = '<table class=cal><tr><td colspan=7><div id=calmonth>' + M[month] + ' ' + year +
        '</div></td></tr><tr>';
    for (var w = 0; w < 7; w++)
        table += '<td><div id=caldayweek>' + D[w] + '</div></td>';
    table += '</tr>';
    for (var day = 1 - bgn.getDay(); day <= length; day += 7) {
        table += '<tr>';
        for (var d = day; d < day + 7; d++)
            table += cell(d);
        table += '</tr>';
    }
    return table + '</table>';
}
