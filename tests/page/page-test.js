// The calendar as a person sees it: makes calendars with `daywise --create`, opens them in
// headless Chromium, compares what they show with a stored expectation and checks widths,
// print, contrast and damaged calendar files. Screenshots and prints stay in --out.
"use strict";
const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");
const {execFileSync} = require("child_process");
const {Browser, Tab} = require("./cdp-pipe");

const WIDTH = 1100;
const o = {chromium: "/usr/bin/chromium"};
for (let i = 2; i + 1 < process.argv.length; i += 2)
    o[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];

// Settings shared by every calendar: to-dos and cleared activities shown, colours by
// priority (high red, medium blue, low green), a header text.
const BASE_SETTINGS = {Options: {HeaderText: "Sales team"}, Filter: {Type2: "1", Cleared: "0"},
    Colors: {ColorDefault: "0", PriorityColor0: "2631935", PriorityColor1: "13395456",
             PriorityColor2: "3381555"}};
const WEEK = ["2003-01-28", "2003-02-03"];
const LONG_DAY_ENTRIES = [...Array(90).keys()].map((k) =>
    `Entry ${String(k + 1).padStart(2, "0")} starts`);
const EVERY_FIELD = Object.fromEntries([...Array(45).keys()].filter((k) => k < 16 || k >= 30)
    .map((k) => [`Field${k}`, "1"]));
const LONG_DAY = {range: ["2003-04-15", "2003-04-16"], settings: {Options: EVERY_FIELD}};
// A calendar file cut short, as a full disk or a crash while copying could leave it.
const truncate = (html, file = path.join(html, "data.js")) =>
    fs.writeFileSync(file, fs.readFileSync(file).subarray(0, 400));

const SCENARIOS = [
    // The stored expectation holds what these show.
    {name: "week", structure: true, widths: true, banner: "rgb(255, 204, 0)"},
    {name: "header-off", structure: true, settings: {Options: {Header: "0"}}},
    {name: "french", structure: true, settings: {Options: {Language: "1"}}, lang: "fr"},
    // Company shares a number with field 3, the contact's is past a gap and its column no
    // letter: every field still shows, the company above the contact.
    {name: "odd-layout", structure: true,
     settings: {Layout: {FieldOrder8: "4", FieldOrder6: "30", FieldCol6: "Z"}}},
    // Every field and label shown, e-mail links, the icon and some fields moved, other widths.
    {name: "layout", structure: true, widths: true, settings: {
        Options: EVERY_FIELD,
        Email: {Active: "1", Subject: "<regarding> on <day> <month>", Body: "From <start>"},
        Layout: {FieldCol0: "C", FieldCol2: "A", FieldCol6: "F", FieldCol9: "B", Width0: "10",
                 Width1: "10", Width2: "5", Width3: "20", Width4: "20", Width5: "35"},
    }},
    // A day too long for one sheet, on paper and in a narrow window; then filled in by the
    // page's timer: every entry, once, in order.
    {name: "long-day", ...LONG_DAY, widths: true, paper: true},
    {name: "long-day-filled", ...LONG_DAY, firstDay: true},
    // Banner text readable on a dark date background as on the week's light one.
    {name: "dark-banner", settings: {Colors: {bgColor: "8388608"}}, banner: "rgb(0, 0, 128)"},
    // No calendar or a damaged one: the page says which, in the calendar's language when its
    // script says it, else in the reader's.
    {name: "damaged-french", settings: {Options: {Language: "1"}}, spoil: truncate, lang: "fr",
     message: "Le fichier du calendrier est endommagé\u00a0: créez de nouveau le calendrier " +
        "dans Daywise."},
    {name: "missing-french", locale: "fr-FR", lang: "fr",
     spoil: (html) => ["data.js", "script.js"].forEach((f) => fs.rmSync(path.join(html, f))),
     message: "Aucun calendrier n'a encore été créé\u00a0: ouvrez Daywise, choisissez les " +
        "jours et cliquez sur Créer."},
];

// The week's fixture and, after it, a day of ninety entries (more than the page writes before
// it first paints), each two lines or more, whose first and last words say which entry they
// belong to.
function withLongDay() {
    const fixture = JSON.parse(fs.readFileSync(path.join(o.fixtures, "page-week.json"), "utf8"));
    const entry = {duration: 10, scheduled_for: "USR000000001", contact: "CON000000001"};
    for (let k = 0; k < LONG_DAY_ENTRIES.length; k++) {
        const n = String(k + 1).padStart(2, "0");
        fixture.activities.push({...entry, id: `ACT0000010${n}`, type: k % 3, priority: k % 3,
            regarding: `Entry ${n} starts`, details: "A note long enough to take a few lines of " +
                `its column, so that entries are tall and pages break between them: entry ${n} ends`,
            start: `2003-04-15 ${String(6 + Math.floor(k / 6)).padStart(2, "0")}:${k % 6}0`});
    }
    const file = path.join(o.out, "page-fixture.json");
    fs.writeFileSync(file, JSON.stringify(fixture));
    return file;
}

function iniText(...layers) {
    const sections = {};
    for (const layer of layers)
        for (const [section, keys] of Object.entries(layer))
            sections[section] = {...sections[section], ...keys};
    return Object.entries(sections).map(([section, keys]) =>
        `[${section}]\n` + Object.entries(keys).map(([k, v]) => `${k}=${v}\n`).join("")).join("\n");
}

const environment = (actHome, more = {}) => ({...process.env, DAYWISE_ACT_HOME: actHome,
    QT_QPA_PLATFORM: "offscreen", TZ: "UTC", LC_ALL: "C.UTF-8", ...more});

// Makes one calendar in its own folder, with its own settings, and returns the page's URL.
function makeCalendar(scenario, actHome) {
    const home = path.join(o.out, scenario.name);
    const html = path.join(home, "html");
    fs.rmSync(home, {recursive: true, force: true});
    fs.mkdirSync(path.join(home, "config", "Daywise"), {recursive: true});
    fs.mkdirSync(path.join(home, "runtime"), {mode: 0o700});
    fs.writeFileSync(path.join(home, "config", "Daywise", "Daywise.conf"),
                     iniText(BASE_SETTINGS, scenario.settings ?? {}));
    fs.cpSync(o.page, html, {recursive: true, filter: (f) => !/(data|script)\.js$/.test(f)});
    const [start, end] = scenario.range ?? WEEK;
    execFileSync(o.daywise, ["--create", "--start", start, "--end", end, "--html-dir", html], {
        env: environment(actHome, {XDG_CONFIG_HOME: path.join(home, "config"),
            XDG_DATA_HOME: path.join(home, "data"), XDG_RUNTIME_DIR: path.join(home, "runtime")}),
        stdio: ["ignore", "pipe", "inherit"],
    });
    scenario.spoil?.(html);
    return "file://" + path.join(html, "Daywise.htm");
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
    const all = (css, within = document) => [...within.querySelectorAll(css)];
    const cell = (id) => ({
        icons: all("img", document.getElementById(id)).map((img) => img.getAttribute("src")),
        fields: all(selector, document.getElementById(id)).map((field) => ({
            cls: classes.find((c) => field.classList.contains(c)), text: text(field),
            colour: getComputedStyle(field).color,
            links: all("a", field).map((a) => a.getAttribute("href")),
        })),
    });
    const days = [];
    for (let i = 0; document.getElementById("D" + i); i++) {
        const entries = [];
        for (let j = 0; document.getElementById(`D${i}A${j}C0`); j++)
            entries.push([0, 1, 2, 3, 4, 5].map((c) => cell(`D${i}A${j}C${c}`)));
        days.push({
            banner: [text(all("#dayleft, .dayleft")[i]), text(all("#dayright, .dayright")[i])],
            empty: entries.length ? null : text(document.getElementById("D" + i)), entries,
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

// Runs in the page: how far it scrolls sideways, and text beyond its cell.
function readLayout() {
    const overflowing = [...document.querySelectorAll("table.acty td > *, table.acty td")]
        .filter((e) => e.scrollWidth > e.clientWidth && e.tagName !== "IMG")
        .map((e) => `${e.id || e.parentElement.id} ${e.className}: ${e.textContent}`);
    const {scrollWidth, clientWidth} = document.documentElement;
    return {sideways: scrollWidth - clientWidth, overflowing};
}

// Runs in the page: each banner's ink and background.
const readBanners = () => [...document.querySelectorAll("div.day")].map((banner) =>
    [getComputedStyle(banner).color, getComputedStyle(banner).backgroundColor]);

// The relative luminance of a CSS rgb() colour, as contrast ratios are reckoned.
const luminance = (css) => css.match(/\d+/g).slice(0, 3).map((v) => Number(v) / 255)
    .map((c) => (c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4))
    .reduce((sum, c, k) => sum + [0.2126, 0.7152, 0.0722][k] * c, 0);

async function checkWidths(tab, scenario) {
    for (const width of [360, 1280]) {
        await tab.resize(width, 900);
        const layout = await tab.evaluate(readLayout);
        fs.writeFileSync(path.join(o.out, `${scenario.name}-${width}.png`), await tab.screenshot());
        assert.deepEqual(layout, {sideways: 0, overflowing: []},
                         `${width} px: nothing beyond the window or its cell`);
    }
}

// On Letter and A4 with 12 mm margins: no entry split between pages.
async function checkPaper(tab, scenario) {
    const margin = 12 / 25.4;
    for (const [name, [paperWidth, paperHeight]] of
        Object.entries({letter: [8.5, 11], a4: [210 / 25.4, 297 / 25.4]})) {
        // The paper's line width, in print's style: every field within its cell.
        await tab.send("Emulation.setEmulatedMedia", {media: "print"});
        await tab.resize(Math.floor((paperWidth - 2 * margin) * 96), 900);
        const {overflowing} = await tab.evaluate(readLayout);
        await tab.send("Emulation.setEmulatedMedia", {media: ""});
        await tab.resize(WIDTH, 900);
        assert.deepEqual(overflowing, [], `${name} paper: no text beyond its cell`);
        const file = path.join(o.out, `${scenario.name}-${name}.pdf`);
        const {data} = await tab.send("Page.printToPDF", {paperWidth, paperHeight,
            marginTop: margin, marginBottom: margin, marginLeft: margin, marginRight: margin});
        fs.writeFileSync(file, Buffer.from(data, "base64"));
        const pages = execFileSync("pdftotext", ["-layout", file, "-"], {encoding: "utf8"})
            .split("\f").filter((page) => page.trim() !== "");
        assert.deepEqual(pages.join("").match(/Entry \d+ starts/g), LONG_DAY_ENTRIES,
                         `${name} paper: every entry printed once`);
        assert.ok(pages.length >= 3, `${name} paper: the long day runs over several pages`);
        pages.forEach((page, n) => {
            const starts = [...page.matchAll(/Entry (\d+) starts/g)].map((m) => m[1]);
            assert.deepEqual(starts, [...page.matchAll(/entry (\d+) ends/g)].map((m) => m[1]),
                             `${name} paper, page ${n + 1}: whole entries only`);
        });
    }
}

const structures = {};

async function runScenario(browser, scenario, actHome) {
    const url = makeCalendar(scenario, actHome);
    const tab = await Tab.open(browser, WIDTH, 900);
    const page = (fn) => tab.evaluate(fn);
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
        await tab.load(url);
        if (scenario.paper)
            await checkPaper(tab, scenario);
        await tab.whole();
        assert.equal(await page(() => document.documentElement.lang), scenario.lang ?? "en");
        if (scenario.message) {
            assert.equal(await page(() => document.getElementById("nocalendar")?.textContent),
                         scenario.message, "the page says what is wrong");
            return;
        }
        if (scenario.structure && (structures[scenario.name] = await page(readStructure)) &&
            !o["record-structure"])
            assert.deepEqual(structures[scenario.name], JSON.parse(fs.readFileSync(path.join(
                o.fixtures, "page-structure.json"), "utf8"))[scenario.name], "what the page shows");
        if (scenario.widths)
            await checkWidths(tab, scenario);
        if (scenario.firstDay)
            assert.deepEqual(await page(() => [...document.querySelectorAll("#D0 .regarding")]
                .map((e) => e.textContent.trim())), LONG_DAY_ENTRIES, "the first day's entries");
        for (const [ink, ground] of scenario.banner ? await page(readBanners) : []) {
            const [light, dark] = [luminance(ink), luminance(ground)].sort((x, y) => y - x);
            assert.equal(ground, scenario.banner, "banner colour");
            assert.ok((light + 0.05) / (dark + 0.05) >= 4.5, `banner readable: ${ink} on ${ground}`);
        }
        assert.deepEqual(tab.errors, [], "errors in the browser");
    } finally {
        await tab.close();
    }
}

async function main() {
    if (!fs.existsSync(o.chromium)) {
        console.log(`SKIPPED: Chromium is not installed at ${o.chromium} ` +
                    "(scripts/setup.sh --tests installs it).");
        return 77;
    }
    const [actHome, database] = [path.join(o.out, "act-home"), path.join(o.out, "page-week.actdb")];
    fs.rmSync(actHome, {recursive: true, force: true});
    fs.mkdirSync(o.out, {recursive: true});
    for (const command of [["import", database, withLongDay()], ["open", database]])
        execFileSync(o.actdb, command,
                     {env: environment(actHome), stdio: ["ignore", "pipe", "inherit"]});

    const profile = fs.mkdtempSync(path.join(o.out, "profile-"));
    const browser = new Browser(o.chromium, profile);
    let failed = 0;
    try {
        for (const scenario of SCENARIOS.filter((s) => s.structure || !o["record-structure"])) {
            try {
                await runScenario(browser, scenario, actHome);
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
    if (o["record-structure"])
        fs.writeFileSync(o["record-structure"], JSON.stringify(structures, null, 1) + "\n");
    return failed ? 1 : 0;
}

main().then((status) => process.exit(status), (error) => {
    console.error(error);
    process.exit(1);
});
