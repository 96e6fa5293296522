// The browser version as a player meets it: build-web/site served on
// 127.0.0.1, the page opened in one of the three engines nearly every browser
// is built on (VELMORA_BROWSER: chromium, firefox or webkit; drivers/ holds a
// thin driver for the first two and one for WebKit), and the pictures the desktop tests keep, to compare the board
// with. Everything the cases do goes through the driver's few verbs (open,
// evaluate, key, type, pointer, screenshot, resize), so that every case runs
// the same in every engine.
import { spawn } from 'node:child_process';
import { readFile, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { PNG } from 'pngjs';

const top = new URL('../..', import.meta.url).pathname;
export const site = process.env.VELMORA_WEB_DIR ?? join(top, 'build-web/site');
const pictures = join(top, 'tests/e2e/pictures');
export const engine = process.env.VELMORA_BROWSER ?? 'chromium';
const driver = await import(engine === 'webkit' ? './drivers/webkit.mjs' : './drivers/puppeteer.mjs');
export const canTouch = engine === 'chromium';  // the one driver that plays a phone

// The board's size and colour as the game draws it, and the menu bar's height.
export const Board = { width: 1002, height: 628, background: [192, 192, 0], menuBar: 19 };

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

export const launch = () => driver.launch(engine);

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

// Waits until the script, run in the page with the argument, returns
// something true, and returns that; fails after the deadline saying what was
// awaited and, where `shown` is given, what the page showed instead. A page
// that is loading may refuse to run the script meanwhile.
export async function waitFor(page, script, argument, { timeout = 10000, what = String(script), shown } = {}) {
    const deadline = Date.now() + timeout;
    for (;;) {
        let refused = null;
        const answer = await page.evaluate(script, argument).catch(error => { refused = error; });
        if (answer)
            return answer;
        if (Date.now() > deadline)
            assert.fail(`waited ${timeout} ms for ${what}` + (refused ? ` (${refused.message})` : '')
                        + (shown ? `; the page shows ${JSON.stringify(await page.evaluate(shown, argument))}` : ''));
        await new Promise(resolve => setTimeout(resolve, 25));
    }
}

// The page tapped where its sound leaves for the speakers: `heard` lists the
// length in seconds of each sound started, in order (each cue's wave has its
// own), and `cut` of each one stopped before its end. Errors thrown into the
// page are kept in `thrown`. Set once the page has loaded: no sound starts
// before the player's first key or press.
const taps = () => {
    window.heard = [];
    window.cut = [];
    window.thrown = [];
    addEventListener('error', event => window.thrown.push(event.message));
    addEventListener('unhandledrejection', event => window.thrown.push(String(event.reason)));
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
};

export const boardShown = page => waitFor(page, () => document.querySelector('canvas.board') !== null
    && document.querySelector('canvas.sprite')?.style.display === 'block', null, { what: 'the first board' });

// The page loaded again, by itself: its first board drawn, the taps set again.
export async function reloaded(page) {
    await waitFor(page, () => window.thrown === undefined && document.readyState === 'complete'
        && document.querySelector('canvas.sprite')?.style.display === 'block', null, { what: 'the page again' });
    await page.evaluate(taps);
    page.board = null;
}

// A new page, in a context of its own, at the size given (and density, and
// as a phone where the driver can play one), with the game loaded and its
// first board drawn.
export async function openGame(browser, address, { width = 1100, height = 720, density = 1, touch = false } = {}) {
    const page = await browser.open({ width, height, density, touch });
    Object.assign(page, { density, touch });
    await page.goto(address);
    await boardShown(page);
    await page.evaluate(taps);
    return page;
}

// What the screen shows, as a picture of the page's own pixels: a screenshot
// of the page, read.
export const screen = async page => PNG.sync.read(await page.screenshot());

// Where the board stands on the screen, in the page's pixels, found in the
// screen's own pixels (those of the board's background colour), not asked
// of the page: {left, top, width, height, scale}. Waited for: an engine may
// show its first frame a little after the page has drawn it.
export async function shownBoard(page) {
    const deadline = Date.now() + 10000;
    while (!page.board) {
        const shot = await screen(page);
        let [left, top, right, bottom] = [Infinity, Infinity, -1, -1];
        for (let y = 0; y < shot.height; ++y)
            for (let x = 0; x < shot.width; ++x) {
                const i = (y * shot.width + x) * 4;
                if (Board.background.every((value, c) => shot.data[i + c] === value)) {
                    left = Math.min(left, x), right = Math.max(right, x);
                    top = Math.min(top, y), bottom = Math.max(bottom, y);
                }
            }
        if (right >= 0) {
            const density = shot.width / await page.evaluate(() => innerWidth);
            const [width, height] = [(right + 1 - left) / density, (bottom + 1 - top) / density];
            page.board = { left: left / density, top: top / density, width, height, scale: width / Board.width };
        } else {
            const file = join(tmpdir(), `velmora-${engine}-no-board.png`);
            await writeFile(file, PNG.sync.write(shot));
            assert.ok(Date.now() < deadline, `no board on the screen (${file})`);
        }
    }
    return page.board;
}

// The point of the screen where the board's pixel (x, y) is shown.
export async function boardPoint(page, x, y) {
    const board = await shownBoard(page);
    return [board.left + (x + 0.5) * board.scale, board.top + (y + 0.5) * board.scale];
}

// An element found by a selector and, among those it selects, by its name:
// its screen-reader name, else its first text. Resolves to its centre as the
// page lays it out, after checking that the page shows that element there.
const centreOf = async (page, selector, name) => {
    const centre = await page.evaluate(([selector, name]) => {
        const element = [...document.querySelectorAll(selector)].find(element => name == null  // none given
            || (element.getAttribute('aria-label') ?? element.firstChild?.textContent ?? '').trim() === name);
        if (!element)
            return null;
        const box = element.getBoundingClientRect();
        const [x, y] = [box.left + box.width / 2, box.top + box.height / 2];
        return { x, y, hit: element.contains(document.elementFromPoint(x, y)) };
    }, [selector, name]);
    assert.ok(centre, `no ${selector} named ${name}`);
    assert.ok(centre.hit, `${selector} ${name ?? ''} is not shown where the page lays it out`);
    return [centre.x, centre.y];
};

// A click on an element, or on a touch screen a tap.
export async function press(page, selector, name) {
    await page.pointer(page.touch ? 'tap' : 'click', ...await centreOf(page, selector, name));
}

// A part of a picture.
export function crop(picture, { left, top, width, height }) {
    const part = new PNG({ width: Math.round(width), height: Math.round(height) });
    PNG.bitblt(picture, part, Math.round(left), Math.round(top), part.width, part.height, 0, 0);
    return part;
}

// How many pixels of a picture differ in colour from a kept picture, each
// of whose pixels is a square of scale by scale in it: over the whole
// picture, or over an area of it, leaving out what `skip` says.
export async function differsFrom(shown, name, { scale = 1, area = null, skip = () => false } = {}) {
    const kept = PNG.sync.read(await readFile(join(pictures, name)));
    const { left, top, width, height } = area ?? { left: 0, top: 0, width: shown.width, height: shown.height };
    let count = 0;
    for (let y = top; y < top + height; ++y)
        for (let x = left; x < left + width; ++x) {
            const i = (y * shown.width + x) * 4, j = (Math.floor(y / scale) * kept.width + Math.floor(x / scale)) * 4;
            count += !skip(x - left, y - top) && [0, 1, 2].some(c => shown.data[i + c] !== kept.data[j + c]) ? 1 : 0;
        }
    return count;
}

// For each button of the graphical style in a window, how many pixels of its
// two-pixel edge differ from a kept picture of that window: the face around
// the caption, whose letters come from each platform's font.
export async function buttonEdgesDiffer(page, window, name) {
    const [origin, buttons] = await page.evaluate(window => {
        const origin = document.querySelector(window).getBoundingClientRect();
        return [{ left: origin.left, top: origin.top, width: origin.width, height: origin.height },
                [...document.querySelectorAll(window + ' button.graphical')].map(button => {
            const box = button.getBoundingClientRect();
            return { name: button.getAttribute('aria-label') ?? button.textContent, left: box.left - origin.left,
                     top: box.top - origin.top, width: box.width, height: box.height };
        })];
    }, window);
    const shot = crop(await screen(page), origin);  // at the density of 1 the cases use
    const counts = {};
    for (const { name: button, ...area } of buttons)
        counts[button] = await differsFrom(shot, name, { area, skip: (x, y) =>
            x >= 2 && y >= 2 && x < area.width - 2 && y < area.height - 2 });
    return counts;
}

// The element's text changes in none of the next 1.5 s: a running clock
// would change the read-out within one. Fails as soon as it changes.
export async function staysStill(page, selector) {
    const now = await page.evaluate(selector => document.querySelector(selector).innerText, selector);
    await assert.rejects(waitFor(page, ([selector, now]) => document.querySelector(selector).innerText !== now,
                                 [selector, now], { timeout: 1500 }), /waited/, `${selector} changed from ${now}`);
}

// What an accessibility audit (axe-core, run in the page) finds on the page
// as it stands: it must find nothing of impact "serious" or "critical". The
// options panel's caption, black on the panel's blue, is the window's own
// look, kept (see the README).
const axe = await readFile(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
export async function auditFindsNothingSerious(page) {
    const violations = await page.evaluate(async axe => {
        if (!window.axe)
            new Function(axe)();
        return (await window.axe.run()).violations.map(({ id, impact, nodes }) =>
            ({ id, impact, nodes: nodes.map(node => node.target.join(' ')) }));
    }, axe);
    assert.deepEqual(violations.filter(violation => ['serious', 'critical'].includes(violation.impact))
        .map(violation => `${violation.id}: ${violation.nodes.join(', ')}`)
        .filter(finding => finding !== 'color-contrast: .frame-caption'), []);
}
