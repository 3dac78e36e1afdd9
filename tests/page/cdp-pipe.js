// A minimal client of Chromium's DevTools protocol over --remote-debugging-pipe: commands
// go out on the browser's fd 3 and answers and events come back on fd 4, each message one
// JSON text ended by a NUL byte. Node's built-ins are enough; no WebSocket is involved.
"use strict";
const {spawn} = require("child_process");

class Browser {
    constructor(executable, profile) {
        this.child = spawn(executable, [
            "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--hide-scrollbars", "--allow-file-access-from-files",
            `--user-data-dir=${profile}`, "--remote-debugging-pipe", "about:blank",
        ], {stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"]});
        Object.assign(this, {stderr: "", nextId: 1, pending: new Map(), listeners: new Set()});
        this.child.stderr.on("data", (chunk) => (this.stderr += chunk));
        this.closed = new Promise((resolve) => this.child.on("exit", resolve));
        this.child.on("exit", () => {
            for (const {reject, method} of this.pending.values())
                reject(new Error(`Chromium ended while waiting for ${method}:\n${this.stderr}`));
        });
        let buffer = Buffer.alloc(0);
        this.child.stdio[4].on("data", (chunk) => {
            buffer = Buffer.concat([buffer, chunk]);
            for (let end; (end = buffer.indexOf(0)) >= 0; buffer = buffer.subarray(end + 1))
                this.dispatch(JSON.parse(buffer.subarray(0, end).toString("utf8")));
        });
    }

    dispatch(message) {
        if (message.id === undefined)
            return this.listeners.forEach((listener) => listener(message));
        const {resolve, reject, method} = this.pending.get(message.id);
        this.pending.delete(message.id);
        if (message.error)
            return reject(new Error(`${method}: ${message.error.message}`));
        resolve(message.result);
    }

    send(method, params = {}, sessionId = undefined) {
        const id = this.nextId++;
        this.child.stdio[3].write(JSON.stringify({id, method, params, sessionId}) + "\0");
        return new Promise((resolve, reject) => this.pending.set(id, {resolve, reject, method}));
    }

    async close() {
        this.send("Browser.close").catch(() => {});
        const timer = setTimeout(() => this.child.kill("SIGKILL"), 5000);
        await this.closed;
        clearTimeout(timer);
    }
}

// One tab: loads a page, records every script error, console error and failed load, and
// evaluates functions in it.
class Tab {
    static async open(browser, width, height) {
        const {targetId} = await browser.send("Target.createTarget", {url: "about:blank"});
        const {sessionId} = await browser.send("Target.attachToTarget", {targetId, flatten: true});
        const tab = new Tab(browser, targetId, sessionId);
        for (const domain of ["Runtime", "Log", "Page"])
            await tab.send(`${domain}.enable`);
        await tab.resize(width, height);
        return tab;
    }

    constructor(browser, targetId, sessionId) {
        Object.assign(this, {browser, targetId, sessionId, errors: [], loaded: () => {}});
        browser.listeners.add(({sessionId: from, method, params: p}) => {
            if (from !== sessionId)
                return;
            if (method === "Page.loadEventFired")
                this.loaded();
            else if (method === "Runtime.exceptionThrown")
                this.errors.push(p.exceptionDetails.exception?.description ?? p.exceptionDetails.text);
            else if (method === "Runtime.consoleAPICalled" && p.type === "error")
                this.errors.push(p.args.map((a) => a.value ?? a.description).join(" "));
            else if (method === "Log.entryAdded" && p.entry.level === "error")
                this.errors.push(`${p.entry.text} ${p.entry.url ?? ""}`.trim());
        });
    }

    send(method, params = {}) {
        return this.browser.send(method, params, this.sessionId);
    }

    async load(url) {
        const loaded = new Promise((resolve) => (this.loaded = resolve));
        await this.send("Page.navigate", {url});
        await loaded;
    }

    // The calendar fills in after the first screen, and says so with aria-busy meanwhile.
    whole() {
        return this.evaluate(() => new Promise((resolve) => {
            const check = () =>
                (document.querySelector("[aria-busy]") ? setTimeout(check, 20) : resolve());
            check();
        }));
    }

    resize(width, height) {
        Object.assign(this, {width, height});
        return this.send("Emulation.setDeviceMetricsOverride",
                         {width, height, deviceScaleFactor: 1, mobile: false});
    }

    // Runs `fn` in the page and returns its result, which must be plain data.
    async evaluate(fn) {
        const {result, exceptionDetails} = await this.send("Runtime.evaluate",
            {expression: `(${fn})()`, returnByValue: true, awaitPromise: true});
        if (exceptionDetails)
            throw new Error(`in the page: ${exceptionDetails.exception?.description}`);
        return result.value;
    }

    // The whole page: the viewport grows to the page's height first, since the browser
    // draws only what is near the screen.
    async screenshot() {
        const height = () => this.evaluate(() => new Promise((resolve) =>
            setTimeout(() => resolve(document.documentElement.scrollHeight), 100)));
        for (let k = 0, h = await height(); k < 5 && h !== this.height; k++, h = await height())
            await this.resize(this.width, h);
        const {data} = await this.send("Page.captureScreenshot",
            {format: "png", clip: {x: 0, y: 0, width: this.width, height: this.height, scale: 1}});
        return Buffer.from(data, "base64");
    }

    close() {
        return this.browser.send("Target.closeTarget", {targetId: this.targetId}).catch(() => {});
    }
}

module.exports = {Browser, Tab};
