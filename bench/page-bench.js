// Times the calendar page in headless Chromium: from navigation start, when the first entries
// are on screen, when every entry is in the page, and the longest task once the first entries
// show (long tasks as the page itself observes them). Not a test: it prints figures.
//
// node page-bench.js --chromium BIN [--runs N] NAME=PAGE...
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const {Browser, Tab} = require("../tests/page/cdp-pipe");

// Runs in the page before its own scripts. The first entries go in with the title block, so
// the first contentful paint shows them, unless something was painted before they went in.
function observe() {
    const bench = (window.__bench = {seen: null, shown: null, complete: null, tasks: []});
    new PerformanceObserver((list) => {
        for (const task of list.getEntries())
            bench.tasks.push([task.startTime, task.duration]);
    }).observe({type: "longtask", buffered: true});
    const rows = new MutationObserver(() => {
        if (!document.querySelector("table.acty td[id]"))
            return;
        rows.disconnect();
        bench.seen = performance.now();
        requestAnimationFrame(() => setTimeout(() => {
            const paint = performance.getEntriesByName("first-contentful-paint")[0];
            bench.shown = paint && paint.startTime >= bench.seen ? paint.startTime : performance.now();
        }));
    });
    rows.observe(document, {childList: true, subtree: true});
    const poll = () => {
        const page = document.getElementById("calendar");
        if (bench.seen !== null && page && !page.hasAttribute("aria-busy"))
            bench.complete = performance.now();
        else
            setTimeout(poll, 5);
    };
    poll();
}

function result() {
    const bench = window.__bench;
    const after = bench.tasks.filter(([start]) => start >= bench.seen).map(([, d]) => d);
    return {
        entries: document.querySelectorAll("table.acty td[id$='C0']").length,
        expected: typeof Totalactivities == "number" ? Totalactivities : -1,
        shown: bench.shown, complete: bench.complete, longest: Math.max(0, ...after),
    };
}

async function measure(browser, url) {
    const tab = await Tab.open(browser, 1280, 900);
    try {
        await tab.send("Page.addScriptToEvaluateOnNewDocument", {source: `(${observe})()`});
        await tab.send("Page.navigate", {url});
        await tab.evaluate(() => new Promise((resolve) => {
            const wait = () => (window.__bench?.complete && window.__bench.shown ? resolve() : setTimeout(wait, 50));
            wait();
        }));
        return await tab.evaluate(result);
    } finally {
        await tab.close();
    }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
    const args = process.argv.slice(2);
    const option = (name, fallback) => {
        const i = args.indexOf(`--${name}`);
        return i >= 0 ? args.splice(i, 2)[1] : fallback;
    };
    const chromium = option("chromium", "/usr/bin/chromium");
    const runs = Number(option("runs", "3"));
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "daywise-page-bench-"));
    const browser = new Browser(chromium, profile);
    try {
        for (const [name, page] of args.map((a) => a.split("="))) {
            const results = [];
            for (let k = 0; k < runs; k++)
                results.push(await measure(browser, "file://" + path.resolve(page)));
            const {entries, expected} = results[0];
            if (entries !== expected)
                throw new Error(`${name}: ${entries} entries in the page, data.js holds ${expected}`);
            const figure = (key) => (median(results.map((r) => r[key])) / 1000).toFixed(2);
            console.log(`${name}: ${entries} entries; first on screen ${figure("shown")} s, ` +
                        `all in the page ${figure("complete")} s, longest task after the first ` +
                        `${figure("longest")} s (median of ${runs})`);
        }
    } finally {
        await browser.close();
        fs.rmSync(profile, {recursive: true, force: true});
    }
}

main().catch((error) => {
    console.error(error);
    process.exit(1);
});
