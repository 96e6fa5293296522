// The browser version as a player meets it: build-web/ served on 127.0.0.1,
// the page opened in Debian's headless Chromium through playwright-core, and
// the pictures the desktop tests keep, to compare the board with.
import { spawn } from 'node:child_process';
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { after, before } from 'node:test';
import assert from 'node:assert/strict';
import { chromium } from 'playwright-core';

const top = new URL('../..', import.meta.url).pathname;
export const site = process.env.VELMORA_WEB_DIR ?? join(top, 'build-web');
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
    await page.addInitScript(comparing);
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
    return page;
}

// Pictures to compare, read in the page: a PNG (base64) as its pixels, each
// one a square of scale by scale, and how many pixels of the second picture's
// extent differ in colour from the first's (offset by a place, and leaving
// out what `skip` says).
const comparing = () => {
    window.pixelsOf = async (png, scale = 1) => {
        const image = new Image();
        image.src = 'data:image/png;base64,' + png;
        await image.decode();
        const [width, height] = [image.width * scale, image.height * scale];
        const canvas = new OffscreenCanvas(width, height).getContext('2d');
        canvas.imageSmoothingEnabled = false;
        canvas.drawImage(image, 0, 0, width, height);
        return canvas.getImageData(0, 0, width, height);
    };
    window.differing = (shown, kept, area = { left: 0, top: 0, width: kept.width, height: kept.height },
                        skip = () => false) => {
        let count = 0;
        for (let y = area.top; y < area.top + area.height; ++y)
            for (let x = area.left; x < area.left + area.width; ++x) {
                const i = (y * shown.width + x) * 4, j = (y * kept.width + x) * 4;
                count += !skip(x - area.left, y - area.top) && (shown.data[i] !== kept.data[j]
                    || shown.data[i + 1] !== kept.data[j + 1] || shown.data[i + 2] !== kept.data[j + 2]) ? 1 : 0;
            }
        return count;
    };
};
const kept = async name => (await readFile(join(pictures, name))).toString('base64');

// How many pixels of the board's canvas, with the sprite over it, differ
// from a kept picture.
export async function boardDiffersFrom(page, name) {
    return page.evaluate(async png => {
        const board = document.querySelector('canvas.board');
        const sprite = document.querySelector('canvas.sprite');
        const shown = new OffscreenCanvas(board.width, board.height).getContext('2d');
        shown.drawImage(board, 0, 0);
        shown.drawImage(sprite, parseInt(sprite.style.left), parseInt(sprite.style.top));
        return differing(shown.getImageData(0, 0, board.width, board.height), await pixelsOf(png));
    }, await kept(name));
}

// How many pixels of a screenshot differ from a kept picture at a scale.
export async function shotDiffersFrom(page, shot, name, scale = 1) {
    return page.evaluate(async ([shot, png, scale]) => differing(await pixelsOf(shot), await pixelsOf(png, scale)),
                         [shot.toString('base64'), await kept(name), scale]);
}

// The sprite's left edge and width: over which tower, and what it shows.
export const sprite = page => page.evaluate(() => {
    const sprite = document.querySelector('canvas.sprite');
    return { left: parseInt(sprite.style.left), width: sprite.width };
});

// The lengths of the sounds started so far, once there are at least count.
export async function heard(page, count) {
    await page.waitForFunction(count => window.heard.length >= count, count);
    return page.evaluate(() => window.heard);
}

// For each button of the graphical style in a window's picture (a screenshot
// of the element), how many pixels of its two-pixel edge differ from a kept
// picture of that window: the face around the caption, whose letters come
// from each platform's font.
export async function buttonEdgesDiffer(page, window, shot, name) {
    return page.evaluate(async ({ selector, shot, png }) => {
        const [shown, kept] = [await pixelsOf(shot), await pixelsOf(png)];
        const origin = document.querySelector(selector).getBoundingClientRect();
        const counts = {};
        for (const button of document.querySelectorAll(selector + ' button.graphical')) {
            const box = button.getBoundingClientRect();
            const area = { left: box.left - origin.left, top: box.top - origin.top,
                           width: box.width, height: box.height };
            const inside = (x, y) => x >= 2 && y >= 2 && x < box.width - 2 && y < box.height - 2;
            counts[button.getAttribute('aria-label') ?? button.textContent] = differing(shown, kept, area, inside);
        }
        return counts;
    }, { selector: window, shot: shot.toString('base64'), png: await kept(name) });
}

// The element's text changes in none of the next 1.5 s: a running clock
// would change the read-out within one. Fails as soon as it changes.
export async function staysStill(page, selector) {
    const now = await page.locator(selector).innerText();
    await assert.rejects(page.waitForFunction(([selector, now]) =>
        document.querySelector(selector).innerText !== now, [selector, now], { timeout: 1500 }),
        /Timeout/, `${selector} changed from ${now}`);
}
