// Runs a generated data.js and script.js the way the page does, against a minimal document
// that records what the scripts insert, and prints what the small calendars and the
// activity cells hold as JSON. Usage: node script-harness.js <folder>
"use strict";
const fs = require("fs");
const path = require("path");
const vm = require("vm");

const folder = process.argv[2];
const elements = {};
const page = {document: {getElementById: (id) => elements[id]}};

function element(id) {
    if (!elements[id]) {
        elements[id] = {
            html: "",
            insertAdjacentHTML(where, html) {
                this.html += html;
                for (const match of html.matchAll(/id=["']?([A-Za-z0-9]+)/g))
                    element(match[1]);
            },
        };
        page[id] = elements[id];
    }
    return elements[id];
}

element("calendar");
vm.createContext(page);
for (const file of ["data.js", "script.js"])
    vm.runInContext(fs.readFileSync(path.join(folder, file), "utf8"), page, {filename: file});
vm.runInContext("CreateTables(); getCal();", page);

// "January 2003/31@3[28-31]": month, length, blank cells before the 1st, marked days.
function summary(html) {
    const month = /id=calmonth>([^<]*)</.exec(html)[1];
    const days = [...html.matchAll(/id=cal(day|dayin)>([^<]*)</g)];
    const lead = days.findIndex((d) => d[2] !== "&nbsp;");
    const numbers = days.filter((d) => d[2] !== "&nbsp;");
    const marked = numbers.filter((d) => d[1] === "dayin").map((d) => Number(d[2]));
    const range = marked.length ? `${marked[0]}-${marked[marked.length - 1]}` : "";
    return `${month}/${numbers.length}@${lead}[${range}]`;
}

const cells = {};
for (const id of Object.keys(elements).filter((id) => /^D\d+A\d+C\d$/.test(id)))
    cells[id] = elements[id].html;
const calendars = ["lastcal", "thiscal", "nextcal"].filter((id) => elements[id]);
console.log(JSON.stringify({
    calendars: calendars.map((id) => summary(elements[id].html)),
    cells,
    activitiesfor: elements.activitiesfor.html,
}));
