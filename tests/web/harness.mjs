// The browser version as a player meets it: build-web/site served on 127.0.0.1,
// the page opened in Debian's headless Chromium through playwright-core, and
// the pictures the desktop tests keep, to compare the board with.
import { spawn } from 'node:child_process';
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { after, before } from 'node:test';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';
import { PNG } from 'pngjs';
import { AxeBuilder } from '@axe-core/playwright';

const top = new URL('../..', import.meta.url).pathname;
export const site = process.env.VELMORA_WEB_DIR ?? join(top, 'build-web/site');
const pictures = join(top, 'tests/e2e/pictures');

// Serves the folder as the README tells a player to, with Python's own web
// server on a free port; resolves to the server and its address.
export function serve(folder = site) {
    const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', folder],
                         { stdio: ['ignore', 'pipe', 'ignore'] });
    return new Promise((resolve, reject) => {
        server.stdout.on('data', line => {
            const port = /port (\d+)/.exec(line)?.[1];
            if (port)
                resolve({ server, address: `http://127.0.0.1:${port}/` });
        });
        server.on('exit', () => reject(new Error('the web server did not start')));
    });
}

// For a file of tests: the site served and the browser started before them,
// both ended after them.
export function withBrowser() {
    const session = {};
    before(async () => {
        session.served = await serve();
        session.address = session.served.address;
        session.browser = await launch();
    });
    after(async () => {
        await session.browser?.close();
        session.served?.server.kill();
    });
    return session;
}

export async function launch() {
    return chromium.launch({
        executablePath: process.env.VELMORA_CHROMIUM ?? '/usr/lib/chromium/chromium-headless-shell',
        ignoreDefaultArgs: ['--mute-audio'],
    });
}

// A new page with the game loaded and its first board drawn, in a context of
// its own made with the options given (and `routes`: URL patterns, each with
// how it is answered). The page's
// sound is tapped where it leaves for the speakers: `heard` lists the length
// in seconds of each sound started, in order (each cue's wave has its own),
// and `cut` of each one stopped before its end.
export async function openGame(browser, address, { routes = {}, ...options } = {}) {
    const context = await browser.newContext({ viewport: { width: 1100, height: 720 }, ...options });
    // Routes are set before anything loads: a context with routes keeps no
    // cache, and a request the cache answered would never reach a route.
    for (const [url, answer] of Object.entries(routes))
        await context.route(url, answer);
    const page = await context.newPage();
    page.on('close', () => context.close().catch(() => {}));  // the browser may be closing already
    await page.addInitScript(() => {
        window.heard = [];
        window.cut = [];
        const length = source => Math.round(source.buffer.duration * 100) / 100;
        const { start, stop } = AudioBufferSourceNode.prototype;
        AudioBufferSourceNode.prototype.start = function (...args) {
            window.heard.push(length(this));
            return start.apply(this, args);
        };
        AudioBufferSourceNode.prototype.stop = function (...args) {
            window.cut.push(length(this));
            return stop.apply(this, args);
        };
    });
    const errors = [];
    page.on('pageerror', error => errors.push(error.message));
    await page.goto(address);
    await page.waitForFunction(() => document.querySelector('canvas.board') !== null
        && document.querySelector('canvas.sprite')?.style.display === 'block');
    page.errors = errors;
    page.touch = options.hasTouch ?? false;  // pressed by taps
    return page;
}

// How many pixels of a screenshot differ in colour from a kept picture,
// each of whose pixels is a square of scale by scale on the screen: over the
// whole screenshot, or over an area of it, leaving out what `skip` says.
export async function shotDiffersFrom(shot, name, { scale = 1, area = null, skip = () => false } = {}) {
    const [shown, kept] = [PNG.sync.read(shot), PNG.sync.read(await readFile(join(pictures, name)))];
    const { left, top, width, height } = area ?? { left: 0, top: 0, width: shown.width, height: shown.height };
    let count = 0;
    for (let y = top; y < top + height; ++y)
        for (let x = left; x < left + width; ++x) {
            const i = (y * shown.width + x) * 4, j = (Math.floor(y / scale) * kept.width + Math.floor(x / scale)) * 4;
            count += !skip(x - left, y - top) && [0, 1, 2].some(c => shown.data[i + c] !== kept.data[j + c]) ? 1 : 0;
        }
    return count;
}

// For each button of the graphical style in a window's screenshot, how many
// pixels of its two-pixel edge differ from a kept picture of that window: the
// face around the caption, whose letters come from each platform's font.
export async function buttonEdgesDiffer(page, window, shot, name) {
    const buttons = await page.evaluate(window => {
        const origin = document.querySelector(window).getBoundingClientRect();
        return [...document.querySelectorAll(window + ' button.graphical')].map(button => {
            const box = button.getBoundingClientRect();
            return { name: button.getAttribute('aria-label') ?? button.textContent, left: box.left - origin.left,
                     top: box.top - origin.top, width: box.width, height: box.height };
        });
    }, window);
    const counts = {};
    for (const { name: button, ...area } of buttons)
        counts[button] = await shotDiffersFrom(shot, name, { area, skip: (x, y) =>
            x >= 2 && y >= 2 && x < area.width - 2 && y < area.height - 2 });
    return counts;
}

// The element's text changes in none of the next 1.5 s: a running clock
// would change the read-out within one. Fails as soon as it changes.
export async function staysStill(page, selector) {
    const now = await page.locator(selector).innerText();
    await assert.rejects(page.waitForFunction(([selector, now]) =>
        document.querySelector(selector).innerText !== now, [selector, now], { timeout: 1500 }),
        /Timeout/, `${selector} changed from ${now}`);
}

// What an accessibility audit (axe-core) finds on the page as it stands: it
// must find nothing of impact "serious" or "critical". The options panel's
// caption, black on the panel's blue, is the window's own look, kept (see the
// README).
export async function auditFindsNothingSerious(page) {
    const { violations } = await new AxeBuilder({ page }).analyze();
    assert.deepEqual(violations.filter(violation => ['serious', 'critical'].includes(violation.impact))
        .map(violation => `${violation.id}: ${violation.nodes.map(node => node.target.join(' ')).join(', ')}`)
        .filter(finding => finding !== 'color-contrast: .frame-caption'), []);
}
