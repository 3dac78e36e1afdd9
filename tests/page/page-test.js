// The calendar as a person sees it: makes calendars from a fixture with `daywise --create`,
// opens the shipped page from the file system in headless Chromium and checks the banners,
// activity rows, icons, colours, small calendars, header switch and language, and that
// nothing went wrong in the browser. Keeps a screenshot and a print of one calendar.
//
// node page-test.js --daywise BIN --actdb BIN --page DIR --fixtures DIR --out DIR
//                   [--chromium BIN]
"use strict";
const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");
const {execFileSync} = require("child_process");
const {Browser, Tab} = require("./cdp-pipe");

const SKIPPED = 77;
const WIDTH = 1100;

function options() {
    const args = process.argv.slice(2);
    const value = (name) => {
        const i = args.indexOf(`--${name}`);
        return i >= 0 ? args[i + 1] : undefined;
    };
    return {
        daywise: value("daywise"), actdb: value("actdb"), page: value("page"),
        fixtures: value("fixtures"), out: value("out"),
        chromium: value("chromium") || "/usr/bin/chromium",
        recordStructure: value("record-structure"),
    };
}

// Settings shared by every calendar: to-dos and cleared activities shown, colours by
// priority (high red, medium blue, low green), a header text.
const BASE_SETTINGS = {
    Options: {HeaderText: "Sales team"},
    Filter: {Type2: "1", Cleared: "0"},
    Colors: {ColorDefault: "0", PriorityColor0: "2631935", PriorityColor1: "13395456",
             PriorityColor2: "3381555"},
};

const ENGLISH = {emptyDay: "No activities scheduled.", forCaption: "for", lang: "en"};
const FRENCH = {emptyDay: "Pas d'activités programmées.", forCaption: "pour", lang: "fr"};

const WEEK = ["2003-01-28", "2003-02-03"];
const LONG_DAY = ["2003-04-15", "2003-04-16"];
const LONG_DAY_ENTRIES = 90;
const EVERY_FIELD = Object.fromEntries([...Array(45).keys()].filter((k) => k < 16 || k >= 30)
    .map((k) => [`Field${k}`, "1"]));
const MESSAGES = {
    missing: "No calendar has been made yet: open Daywise, choose the days and press Create.",
    damaged: "The calendar file is damaged: make the calendar again in Daywise.",
    missingFr: "Aucun calendrier n'a encore été créé\u00a0: ouvrez Daywise, choisissez les jours et " +
        "cliquez sur Créer.",
    damagedFr: "Le fichier du calendrier est endommagé\u00a0: créez de nouveau le calendrier dans " +
        "Daywise.",
};
// A calendar file cut short, as a full disk or a crash while copying could leave it.
const truncate = (html) => {
    const file = path.join(html, "data.js");
    fs.writeFileSync(file, fs.readFileSync(file).subarray(0, 400));
};
const structures = {};
const SCENARIOS = [
    // The stored expectation holds what these show; the page's own data checks the rest.
    {
        name: "week", structure: true, range: WEEK, settings: {}, language: ENGLISH, keep: true,
        widths: true,
    },
    {
        name: "header-off", structure: true, range: WEEK, settings: {Options: {Header: "0"}}, language: ENGLISH,
        calendars: null,
    },
    {
        name: "french", structure: true, range: WEEK, settings: {Options: {Language: "1"}}, language: FRENCH,
    },
    // Company shares a number with field 3, the contact's is past a gap and its column no
    // letter: every field still shows, the company above the contact.
    {
        name: "odd-layout", structure: true, range: WEEK, language: ENGLISH,
        settings: {Layout: {FieldOrder8: "4", FieldOrder6: "30", FieldCol6: "Z"}},
        order: {8: 4, 6: 30},
    },
    // Every field and label shown, e-mail links, the icon and some fields moved, other widths.
    {
        name: "layout", structure: true, range: WEEK, language: ENGLISH, structureOnly: true,
        widths: true,
        settings: {
            Options: EVERY_FIELD,
            Email: {Active: "1", Subject: "<regarding> on <day> <month>", Body: "From <start>"},
            Layout: {FieldCol0: "C", FieldCol2: "A", FieldCol6: "F", FieldCol9: "B",
                     Width0: "10", Width1: "10", Width2: "5", Width3: "20", Width4: "20",
                     Width5: "35"},
        },
    },
    // A day too long for one sheet, on paper and in a narrow window.
    {
        name: "long-day", range: LONG_DAY, language: ENGLISH, structureOnly: true, widths: true,
        paper: true, settings: {Options: EVERY_FIELD, Filter: {Cleared: "0"}}, scoping: true,
    },
    // The same day filled in by the page's timer: every entry, once, in order.
    {
        name: "long-day-filled", range: LONG_DAY, language: ENGLISH, structureOnly: true,
        settings: {Options: EVERY_FIELD, Filter: {Cleared: "0"}},
        firstDay: [...Array(LONG_DAY_ENTRIES).keys()].map((k) =>
            `Entry ${String(k + 1).padStart(2, "0")} starts`),
    },
    // Banner text readable on a light and on a dark date background.
    ...[["light", "13434879", "rgb(255, 255, 204)"], ["dark", "8388608", "rgb(0, 0, 128)"]].map(
        ([name, bgColor, banner]) => ({
            name: `${name}-banner`, range: WEEK, language: ENGLISH, structureOnly: true,
            settings: {Colors: {bgColor}}, banner,
        })),
    // No calendar or a damaged one: the page says which, in the calendar's language when its
    // script says it, else in the reader's.
    {
        name: "damaged", range: WEEK, settings: {}, spoil: truncate,
        message: [MESSAGES.damaged, "en"],
    },
    {
        name: "damaged-french", range: WEEK, settings: {Options: {Language: "1"}},
        spoil: truncate, message: [MESSAGES.damagedFr, "fr"],
    },
    {
        name: "missing-french", range: WEEK, settings: {}, locale: "fr-FR",
        spoil: (html) => ["data.js", "script.js"].forEach((f) => fs.rmSync(path.join(html, f))),
        message: [MESSAGES.missingFr, "fr"],
    },
    {
        name: "missing", range: WEEK, settings: {}, locale: "en-GB",
        spoil: (html) => fs.rmSync(path.join(html, "data.js")), message: [MESSAGES.missing, "en"],
    },
    // The small calendars: each reads "month/days in it@blank cells before the 1st[marked]".
    ...[
        ["2003-01-25", "2003-02-24", "January 2003/31@3[25-31]", "February 2003/28@6[1-24]",
         "March 2003/31@6[]"],
        ["2003-01-05", "2003-01-11", "December 2002/31@0[]", "January 2003/31@3[5-11]",
         "February 2003/28@6[]"],
        ["2002-12-20", "2003-01-19", "December 2002/31@0[20-31]", "January 2003/31@3[1-19]",
         "February 2003/28@6[]"],
        ["2003-01-15", "2003-01-15", "December 2002/31@0[]", "January 2003/31@3[15-15]",
         "February 2003/28@6[]"],
        ["2003-01-05", "2003-01-05", "December 2002/31@0[]", "January 2003/31@3[5-5]",
         "February 2003/28@6[]"],
        ["2003-01-15", "2003-02-15", "January 2003/31@3[15-31]", "February 2003/28@6[1-15]",
         "March 2003/31@6[]"],
        ["2003-01-31", "2003-03-01", "January 2003/31@3[31-31]", "February 2003/28@6[1-28]",
         "March 2003/31@6[1-1]"],
        ["2100-02-01", "2100-02-03", "January 2100/31@5[]", "February 2100/28@1[1-3]",
         "March 2100/31@1[]"],
        ["2000-02-01", "2000-02-03", "January 2000/31@6[]", "February 2000/29@2[1-3]",
         "March 2000/31@3[]"],
    ].map(([first, last, ...calendars]) => ({
        name: `calendars-${first}-${last}`, range: [first, last], settings: {},
        language: ENGLISH, calendars,
    })),
];

// Column (0 = A) and class of each of the twenty fields in the layout nobody changed.
const DEFAULT_COLUMNS = [0, 1, 2, 1, 5, 5, 3, 3, 3, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5];
const FIELD_CLASSES = ["type", "priority", "time", "alarm", "regarding", "details", "contact",
    "title", "company", "phone", "address", "city", "fax", "cell", "pager", "email",
    "assistant", "custom", "scheduledfor", "alsowith"];
const TYPE_WORDS = ["call", "meeting", "todo"];

// The week's fixture and, after it, a day of ninety entries (more than the page writes before
// it first paints), each two lines or more, whose
// first and last words say which entry they belong to.
function withLongDay(o) {
    const fixture = JSON.parse(fs.readFileSync(path.join(o.fixtures, "page-week.json"), "utf8"));
    for (let k = 0; k < LONG_DAY_ENTRIES; k++) {
        const n = String(k + 1).padStart(2, "0");
        fixture.activities.push({
            id: `ACT0000010${n}`, type: k % 3, priority: k % 3,
            regarding: `Entry ${n} starts`,
            details: `A note long enough to take a few lines of its column, so that ` +
                `entries are tall and pages break between them: entry ${n} ends`,
            start: `2003-04-15 ${String(6 + Math.floor(k / 6)).padStart(2, "0")}:${k % 6}0`,
            duration: 10, scheduled_for: "USR000000001", contact: "CON000000001",
        });
    }
    fixture.activities.push({
        id: "ACT000002001", type: 0, priority: 1, regarding: "A cleared call, marked done",
        start: "2003-04-16 09:00", duration: 10, scheduled_for: "USR000000001",
        contact: "CON000000001", cleared: true,
    });
    const file = path.join(o.out, "page-fixture.json");
    fs.writeFileSync(file, JSON.stringify(fixture));
    return file;
}

function iniText(sections) {
    return Object.entries(sections)
        .map(([section, keys]) =>
            `[${section}]\n` + Object.entries(keys).map(([k, v]) => `${k}=${v}\n`).join(""))
        .join("\n");
}

function merged(...layers) {
    const result = {};
    for (const layer of layers)
        for (const [section, keys] of Object.entries(layer))
            result[section] = {...result[section], ...keys};
    return result;
}

// Makes one calendar in its own folder, with its own settings, and returns the page's URL.
function makeCalendar(o, scenario, actHome) {
    const home = path.join(o.out, scenario.name);
    fs.rmSync(home, {recursive: true, force: true});
    const config = path.join(home, "config", "Daywise");
    const html = path.join(home, "html");
    fs.mkdirSync(config, {recursive: true});
    fs.mkdirSync(html, {recursive: true});
    fs.mkdirSync(path.join(home, "runtime"), {recursive: true, mode: 0o700});
    fs.writeFileSync(path.join(config, "Daywise.conf"),
                     iniText(merged(BASE_SETTINGS, scenario.settings)));
    for (const name of fs.readdirSync(o.page))
        if (!["data.js", "script.js"].includes(name))
            fs.copyFileSync(path.join(o.page, name), path.join(html, name));
    execFileSync(o.daywise, ["--create", "--start", scenario.range[0], "--end",
                             scenario.range[1], "--html-dir", html], {
        env: {...environment(actHome), XDG_CONFIG_HOME: path.join(home, "config"),
              XDG_DATA_HOME: path.join(home, "data"),
              XDG_RUNTIME_DIR: path.join(home, "runtime")},
        stdio: ["ignore", "pipe", "inherit"],
    });
    scenario.spoil?.(html);
    return "file://" + path.join(html, "Daywise.htm");
}

function environment(actHome) {
    return {...process.env, DAYWISE_ACT_HOME: actHome, QT_QPA_PLATFORM: "offscreen",
            TZ: "UTC", LC_ALL: "C.UTF-8"};
}

// Runs in the page: what it shows, read from the document, beside what data.js holds.
function readPage() {
    const text = (node) => (node ? node.textContent.replace(/\u00a0/g, " ").replace(/\s+/g, " ").trim() : null);
    const htmlText = (html) => {
        const box = document.createElement("div");
        box.innerHTML = html;
        return text(box);
    };
    const calendar = (id) => {
        const box = document.getElementById(id);
        if (!box)
            return null;
        const month = text(box.querySelector("#calmonth"));
        const days = [...box.querySelectorAll("#calday, #caldayin")];
        const numbers = days.filter((d) => text(d) !== "");
        const marked = numbers.filter((d) => d.id === "caldayin").map((d) => text(d));
        const range = marked.length ? `${marked[0]}-${marked[marked.length - 1]}` : "";
        return `${month}/${numbers.length}@${days.findIndex((d) => text(d) !== "")}[${range}]`;
    };
    const days = [];
    let position = 0;
    for (let i = 0; i < Nbdays; i++) {
        const box = document.getElementById("D" + i);
        const activities = [];
        for (let j = 0; j < Nbactivities[i]; j++, position++) {
            const f = position * Nbfields;
            const entries = Activities.slice(f, f + Nbfields);
            const cells = [0, 1, 2, 3, 4, 5].map((c) => document.getElementById(`D${i}A${j}C${c}`));
            const row = cells[0].parentElement;
            activities.push({
                entries,
                entryTexts: entries.map(htmlText),
                rowClass: row.className,
                cells: cells.map((cell) => ({
                    row: cell.parentElement === row,
                    icons: [...cell.querySelectorAll("img")].map((img) => ({
                        src: img.getAttribute("src"), width: img.naturalWidth,
                        height: img.naturalHeight})),
                    fields: [...cell.children].filter((e) => e.tagName !== "IMG").map((e) => ({
                        cls: e.className, text: text(e), shownColor: getComputedStyle(e).color,
                    })),
                })),
            });
        }
        const banner = document.querySelectorAll("div.day")[i];
        days.push({
            banner: [text(banner.querySelector(".dayleft")), text(banner.querySelector(".dayright"))],
            bannerColour: getComputedStyle(banner).backgroundColor,
            rows: box.querySelectorAll("tr").length,
            text: box.querySelector("td[id]") ? null : text(box),
            activities,
        });
    }
    return {
        lang: document.documentElement.lang,
        banners: document.querySelectorAll("div.day").length,
        dayEntries: Day.map((d) => d.split("~")),
        days,
        titleBlock: !!document.getElementById("tcellleft"),
        calendarsBox: !!document.getElementById("calendars"),
        calendars: ["lastcal", "thiscal", "nextcal"].map(calendar),
        activitiesFor: text(document.getElementById("activitiesfor")),
        captions: [Activitytype, Users],
    };
}

// Runs in the page: what a reader sees, however the markup carries it: the title block, and
// per day its banner and its entries, each entry's cells with their icons and, in order,
// their fields' classes, texts, shown colours and links.
function readStructure() {
    const classes = ["priority", "time", "alarm", "regarding", "details", "contact", "title",
        "company", "phone", "address", "city", "fax", "cell", "pager", "email", "assistant",
        "custom", "scheduledfor", "alsowith"];
    const selector = classes.map((c) => "." + c).join(",");
    const text = (node) => (node ? node.textContent.replace(/\u00a0/g, " ").replace(/\s+/g, " ").trim() : null);
    const all = (css) => [...document.querySelectorAll(css)];
    const days = [];
    for (let i = 0; document.getElementById("D" + i); i++) {
        const entries = [];
        for (let j = 0; document.getElementById(`D${i}A${j}C0`); j++)
            entries.push([0, 1, 2, 3, 4, 5].map((c) => {
                const cell = document.getElementById(`D${i}A${j}C${c}`);
                return {
                    icons: [...cell.querySelectorAll("img")].map((img) => img.getAttribute("src")),
                    fields: [...cell.querySelectorAll(selector)].map((field) => ({
                        cls: classes.find((c) => field.classList.contains(c)),
                        text: text(field),
                        colour: getComputedStyle(field).color,
                        links: [...field.querySelectorAll("a")].map((a) => a.getAttribute("href")),
                    })),
                };
            }));
        days.push({
            banner: [text(all("#dayleft, .dayleft")[i]), text(all("#dayright, .dayright")[i])],
            empty: entries.length ? null : text(document.getElementById("D" + i)),
            entries,
        });
    }
    return {
        title: ["#tcellleft", "#header", "#tcellright", "#activitiesfor"].map((css) =>
            text(document.querySelector(css))),
        calendars: ["lastcal", "thiscal", "nextcal"].map((id) =>
            text(document.querySelector(`#${id} table`))),
        days,
    };
}

// What each layout showed when its expectation was recorded (--record-structure FILE).
function expectedStructure(o) {
    return JSON.parse(fs.readFileSync(path.join(o.fixtures, "page-structure.json"), "utf8"));
}

function rgb(hex) {
    const n = parseInt(hex, 16);
    return `rgb(${n >> 16}, ${(n >> 8) & 255}, ${n & 255})`;
}

// Every non-empty field in the cell of its column, in ascending order numbers (equal ones in
// field order); the type icon first in the type's column; the row carries the type, the
// priority and the activity's colour.
function checkActivity(activity, where, order = {}) {
    const {entries, entryTexts, cells} = activity;
    const recurring = entries[20] === "1";
    const icon = (recurring ? "r" : "") + TYPE_WORDS[Number(entries[0])] + ".gif";
    assert.deepEqual(activity.rowClass.split(" ").filter(Boolean),
                     [TYPE_WORDS[Number(entries[0])], entries[1]].filter(Boolean),
                     `${where}: type and priority`);
    cells.forEach((cell, c) => {
        assert.ok(cell.row, `${where}: one row per entry`);
        const rank = (m) => order[m] ?? m + 1;
        const expected = [...Array(20).keys()]
            .filter((m) => m > 0 && entries[m] !== "" && DEFAULT_COLUMNS[m] === c)
            .sort((a, b) => rank(a) - rank(b) || a - b)
            .map((m) => ({cls: FIELD_CLASSES[m], text: entryTexts[m]}));
        assert.deepEqual(cell.fields.map(({cls, text}) => ({cls, text})), expected,
                         `${where}, column ${"ABCDEF"[c]}`);
        for (const field of cell.fields.filter((f) => ["time", "regarding"].includes(f.cls)))
            assert.equal(field.shownColor, rgb(entries[21]), `${where}: colour shown`);
        const icons = c === DEFAULT_COLUMNS[0] ? [{src: icon, width: 16, height: 16}] : [];
        assert.deepEqual(cell.icons, icons, `${where}, column ${"ABCDEF"[c]}: icon`);
    });
}

function checkPage(scenario, page, errors) {
    assert.deepEqual(errors, [], "errors in the browser");
    assert.equal(page.lang, scenario.language.lang, "the page's language");
    assert.equal(page.banners, page.dayEntries.length, "one banner per day");
    page.days.forEach((day, i) => {
        const where = `day ${i} (${day.banner.join(" ")})`;
        assert.deepEqual(day.banner, page.dayEntries[i], `${where}: banner`);
        assert.equal(day.bannerColour, "rgb(255, 204, 0)", `${where}: banner colour`);
        assert.equal(day.rows, Math.max(day.activities.length, 1), `${where}: one row per entry`);
        if (day.activities.length === 0)
            assert.equal(day.text, scenario.language.emptyDay, `${where}: empty day`);
        day.activities.forEach((activity, j) =>
            checkActivity(activity, `${where}, activity ${j}`, scenario.order));
    });
    const header = scenario.calendars !== null;
    assert.equal(page.titleBlock, header, "title block");
    assert.equal(page.calendarsBox, header, "small calendars");
    if (scenario.calendars)
        assert.deepEqual(page.calendars, scenario.calendars, "small calendars");
    assert.equal(page.activitiesFor,
                 `${page.captions[0]} ${scenario.language.forCaption} ${page.captions[1]}`,
                 "activity types and users");
}

// Runs in the page: whatever sticks out sideways, and per day the columns whose cells do not
// start at the same left edge in every entry.
function readLayout() {
    const width = document.documentElement.clientWidth;
    const stickingOut = [...document.querySelectorAll("#calendar *")]
        .filter((e) => {
            const r = e.getBoundingClientRect();
            return r.width > 0 && (r.left < -0.5 || r.right > width + 0.5);
        })
        .map((e) => e.id || e.className || e.tagName);
    const overflowing = [...document.querySelectorAll("table.acty td > *, table.acty td")]
        .filter((e) => e.scrollWidth > e.clientWidth && e.tagName !== "IMG")
        .map((e) => `${e.id || e.parentElement.id} ${e.className}: ${e.textContent}`);
    const misaligned = [];
    for (let i = 0; document.getElementById("D" + i); i++)
        for (let c = 0; c < 6; c++) {
            const lefts = [];
            for (let j = 0, cell; (cell = document.getElementById(`D${i}A${j}C${c}`)); j++)
                lefts.push(cell.getBoundingClientRect().left);
            if (lefts.length && Math.max(...lefts) - Math.min(...lefts) > 1)
                misaligned.push(`day ${i}, column ${"ABCDEF"[c]}: ${lefts.join(", ")}`);
        }
    return {scrollWidth: document.documentElement.scrollWidth, width, stickingOut,
            overflowing, misaligned};
}

// Runs in the page: each banner's ink and background and the contrast between them.
function readBanners() {
    const luminance = (css) => {
        const [r, g, b] = css.match(/\d+/g).slice(0, 3).map((v) => {
            const c = Number(v) / 255;
            return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
        });
        return 0.2126 * r + 0.7152 * g + 0.0722 * b;
    };
    return [...document.querySelectorAll("div.day")].map((banner) => {
        const {color, backgroundColor} = getComputedStyle(banner);
        const [a, b] = [luminance(color), luminance(backgroundColor)].sort((x, y) => y - x);
        return {color, backgroundColor, contrast: (a + 0.05) / (b + 0.05)};
    });
}

async function checkWidths(o, tab, scenario) {
    for (const width of [360, 1280]) {
        await tab.resize(width, 900);
        const layout = await tab.evaluate(readLayout);
        fs.writeFileSync(path.join(o.out, `${scenario.name}-${width}.png`), await tab.screenshot());
        const where = `${width} px wide`;
        assert.equal(layout.scrollWidth, layout.width, `${where}: no sideways scrolling`);
        assert.deepEqual(layout.stickingOut, [], `${where}: nothing cut off`);
        assert.deepEqual(layout.overflowing, [], `${where}: no text beyond its cell`);
        assert.deepEqual(layout.misaligned, [], `${where}: columns line up`);
    }
}

// Each page's text as pdftotext lays it out.
function pdfPages(file) {
    return execFileSync("pdftotext", ["-layout", file, "-"], {encoding: "utf8"}).split("\f");
}

// How many pixels of the first page are near the colour given as [r, g, b].
function pixelsOfColour(file, [r, g, b]) {
    const image = execFileSync("pdftoppm", ["-r", "40", "-f", "1", "-l", "1", file]);
    const header = image.subarray(0, 20).toString("latin1").split(/\s+/);
    const start = image.length - Number(header[1]) * Number(header[2]) * 3;
    let count = 0;
    for (let k = start; k < image.length; k += 3)
        if (Math.abs(image[k] - r) + Math.abs(image[k + 1] - g) + Math.abs(image[k + 2] - b) < 40)
            count++;
    return count;
}

// On Letter and A4 with 12 mm margins: no entry split between pages, the banner of a day that
// runs on repeated at the top of the next page, the banner's colour printed.
async function checkPaper(o, tab, scenario) {
    const margin = 12 / 25.4;
    const papers = {letter: [8.5, 11], a4: [210 / 25.4, 297 / 25.4]};
    for (const [name, [paperWidth, paperHeight]] of Object.entries(papers)) {
        // The paper's line width, in print's style: every field within its cell.
        await tab.send("Emulation.setEmulatedMedia", {media: "print"});
        await tab.resize(Math.floor((paperWidth - 2 * margin) * 96), 900);
        const {overflowing} = await tab.evaluate(readLayout);
        await tab.send("Emulation.setEmulatedMedia", {media: ""});
        await tab.resize(WIDTH, 900);
        assert.deepEqual(overflowing, [], `${name} paper: no text beyond its cell`);
        const file = path.join(o.out, `${scenario.name}-${name}.pdf`);
        fs.writeFileSync(file, await tab.pdf({paperWidth, paperHeight, marginTop: margin,
                                              marginBottom: margin, marginLeft: margin,
                                              marginRight: margin}));
        const pages = pdfPages(file).filter((page) => page.trim() !== "");
        const where = `${name} paper`;
        const printed = pages.join("").match(/Entry \d+ starts/g);
        assert.equal(new Set(printed).size, LONG_DAY_ENTRIES, `${where}: every entry printed`);
        assert.equal(printed.length, LONG_DAY_ENTRIES, `${where}: no entry printed twice`);
        assert.ok(pages.length >= 3, `${where}: the long day runs over several pages`);
        pages.forEach((page, n) => {
            const starts = [...page.matchAll(/Entry (\d+) starts/g)].map((m) => m[1]);
            const ends = [...page.matchAll(/entry (\d+) ends/g)].map((m) => m[1]);
            assert.deepEqual(starts, ends, `${where}, page ${n + 1}: whole entries only`);
            if (n > 0 && starts.length)
                assert.match(page.trimStart(), /^TUESDAY +April 15th, 2003/,
                             `${where}, page ${n + 1}: the day's banner repeated`);
        });
        assert.ok(pixelsOfColour(file, [255, 204, 0]) > 100, `${where}: the banner's colour printed`);
    }
}

async function runScenario(o, browser, scenario, actHome) {
    const url = makeCalendar(o, scenario, actHome);
    const tab = await Tab.open(browser, WIDTH, 900);
    try {
        if (scenario.locale) {
            const {userAgent} = await browser.send("Browser.getVersion");
            await tab.send("Emulation.setUserAgentOverride",
                           {userAgent, acceptLanguage: scenario.locale});
        }
        // The page fills in from an animation frame; holding that back shows that printing
        // alone completes the calendar.
        if (scenario.paper)
            await tab.send("Page.addScriptToEvaluateOnNewDocument",
                           {source: "window.requestAnimationFrame = () => 0;"});
        await tab.load(url, {whole: !scenario.paper});
        if (scenario.message) {
            const shown = await tab.evaluate(() => [
                document.getElementById("nocalendar")?.textContent, document.documentElement.lang]);
            assert.deepEqual(shown, scenario.message, "the page says what is wrong");
            return;
        }
        if (scenario.structure) {
            structures[scenario.name] = await tab.evaluate(readStructure);
            if (o.recordStructure)
                return;
            assert.deepEqual(structures[scenario.name], expectedStructure(o)[scenario.name],
                             "what the page shows, against the stored expectation");
        }
        if (scenario.paper)
            await checkPaper(o, tab, scenario);
        await tab.whole();
        if (scenario.widths)
            await checkWidths(o, tab, scenario);
        // Field classes style fields only: "title" is also the title block's class, and the
        // "done" mark keeps its own size inside any field.
        if (scenario.firstDay) {
            const shown = await tab.evaluate(() =>
                [...document.querySelectorAll("#D0 .regarding")].map((e) => e.textContent.trim()));
            assert.deepEqual(shown, scenario.firstDay, "the first day's entries");
            assert.deepEqual(tab.errors, [], "errors in the browser");
        }
        if (scenario.scoping) {
            const styles = await tab.evaluate(() => [
                getComputedStyle(document.querySelector("div.title")).color,
                getComputedStyle(document.body).color,
                getComputedStyle(document.querySelector(".acty .done")).fontSize]);
            assert.equal(styles[0], styles[1], "the title block in the page's ink");
            assert.equal(styles[2], "10px", "the done mark's size");
        }
        if (scenario.banner) {
            const banners = await tab.evaluate(readBanners);
            for (const banner of banners) {
                assert.equal(banner.backgroundColor, scenario.banner, "banner colour");
                assert.ok(banner.contrast >= 4.5, `banner text readable: ${JSON.stringify(banner)}`);
            }
        }
        if (scenario.structureOnly)
            return;
        await tab.resize(WIDTH, 900);
        const page = await tab.evaluate(readPage);
        if (scenario.keep) {
            fs.writeFileSync(path.join(o.out, `${scenario.name}.png`), await tab.screenshot());
            fs.writeFileSync(path.join(o.out, `${scenario.name}.pdf`), await tab.pdf());
        }
        checkPage(scenario, page, tab.errors);
    } finally {
        await tab.close();
    }
}

async function main() {
    const o = options();
    if (!fs.existsSync(o.chromium)) {
        console.log(`SKIPPED: Chromium is not installed at ${o.chromium} ` +
                    "(scripts/setup.sh --tests installs it).");
        return SKIPPED;
    }
    fs.mkdirSync(o.out, {recursive: true});
    const actHome = path.join(o.out, "act-home");
    fs.rmSync(actHome, {recursive: true, force: true});
    const database = path.join(o.out, "page-week.actdb");
    const run = (...args) => execFileSync(o.actdb, args, {env: environment(actHome),
                                                          stdio: ["ignore", "pipe", "inherit"]});
    run("import", database, withLongDay(o));
    run("open", database);

    const profile = fs.mkdtempSync(path.join(o.out, "profile-"));
    const browser = new Browser(o.chromium, profile);
    let failed = 0;
    try {
        for (const scenario of SCENARIOS.filter((s) => s.structure || !o.recordStructure)) {
            try {
                await runScenario(o, browser, scenario, actHome);
                console.log(`ok - ${scenario.name}`);
            } catch (error) {
                failed++;
                console.log(`not ok - ${scenario.name}\n${error.stack ?? error}`);
            }
        }
    } finally {
        await browser.close();
        fs.rmSync(profile, {recursive: true, force: true});
    }
    if (o.recordStructure) {
        fs.writeFileSync(o.recordStructure, JSON.stringify(structures, null, 1) + "\n");
        return failed ? 1 : 0;
    }
    console.log(`Screenshot and print of the week: ${path.join(o.out, "week.png")}, week.pdf`);
    return failed ? 1 : 0;
}

main().then((status) => process.exit(status), (error) => {
    console.error(error);
    process.exit(1);
});
