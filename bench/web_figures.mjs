// Figures of the browser version in Debian's headless Chromium: what the page
// loads before its first board, compressed; the time from navigation to the
// first board on the canvas; and a Space key, or a tap on the board, to the
// new board on the canvas.
// Build first (scripts/build-web) and install the test tools (npm ci in tests/web).
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve, site } from '../tests/web/harness.mjs';

const percentile = (values, fraction) => {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.round(fraction * (sorted.length - 1))];
};

const served = await serve();
const browser = await launch();
const firstBoards = [];
for (let round = 0; round < 20; ++round) {
    const page = await browser.newPage();
    // When each canvas change was made, from the navigation's start.
    await page.addInitScript(() => {
        window.painted = [];
        const put = CanvasRenderingContext2D.prototype.putImageData;
        CanvasRenderingContext2D.prototype.putImageData = function (...args) {
            put.apply(this, args);
            window.painted.push(performance.now());
        };
    });
    // The site's files the page asks for before its first board.
    const asked = new Set();
    page.on('request', request => asked.add(new URL(request.url()).pathname.slice(1) || 'index.html'));
    await page.goto(served.address);
    await page.waitForFunction(() => window.painted.length > 0 && performance.now() - window.painted.at(-1) > 300);
    firstBoards.push(await page.evaluate(() => new Promise(resolve =>
        requestAnimationFrame(() => resolve(window.painted.at(-1))))));
    await page.close();
    if (round === 0) {
        let compressed = 0;
        for (const file of asked)
            compressed += gzipSync(await readFile(join(site, file)), { level: 9 }).length;
        console.log(`loaded before the first board: ${(compressed / 1024).toFixed(1)} KB compressed`
                    + ` (gzip: ${[...asked].join(', ')})`);
    }
}
console.log(`navigation to the first board: median ${percentile(firstBoards, 0.5).toFixed(0)} ms of 20 loads`);

// Space, or a tap on tower 1, lifts its top disk and sets it back, over and
// over: from the page's receiving the key or the tap to the canvas holding
// the new picture. (Headless Chromium takes about 7 ms more to hand an
// emulated tap to the page, a key well under 1 ms: the browser's, not the
// game's.)
for (const by of ['Space', 'a tap']) {
    const page = await browser.newPage({ hasTouch: true });
    await page.addInitScript(() => {
        window.toCanvas = [];
        let pressed = null;
        for (const kind of ['keydown', 'pointerdown'])
            document.addEventListener(kind, () => { pressed = performance.now(); }, true);
        const put = CanvasRenderingContext2D.prototype.putImageData;
        CanvasRenderingContext2D.prototype.putImageData = function (...args) {
            put.apply(this, args);
            if (pressed !== null)
                window.toCanvas.push(performance.now() - pressed);
            pressed = null;
        };
    });
    await page.goto(served.address);
    await page.waitForFunction(() => document.querySelector('canvas.sprite')?.style.display === 'block');
    await page.keyboard.press('F2');
    const board = await page.locator('canvas.board').boundingBox();
    for (let press = 0; press < 240; ++press) {
        const before = await page.evaluate(() => window.toCanvas.length);
        await (by === 'Space' ? page.keyboard.press('Space')
            : page.touchscreen.tap(board.x + 157 * board.width / 1002, board.y + 250 * board.height / 628));
        await page.waitForFunction(count => window.toCanvas.length > count, before);
    }
    const times = await page.evaluate(() => window.toCanvas);
    console.log(`${by} to the new board on the canvas: median ${percentile(times, 0.5).toFixed(2)} ms, `
                + `99th percentile ${percentile(times, 0.99).toFixed(2)} ms (${times.length} presses)`);
    await page.close();
}
await browser.close();
served.server.kill();
