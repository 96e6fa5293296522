// Figures of the browser version in Debian's headless Chromium: what the page
// loads before its first board, compressed; the time from navigation to the
// first board on the canvas; and the Space key to the new board on the canvas.
// Build first (scripts/build-web) and install the test tools (npm ci in tests/web).
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { launch, serve, site } from '../tests/web/harness.mjs';

const percentile = (values, fraction) => {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.round(fraction * (sorted.length - 1))];
};

let compressed = 0;
for (const file of ['index.html', 'page.css', 'cues.js', 'page.js', 'velmora.js', 'velmora.wasm'])
    compressed += gzipSync(await readFile(join(site, file)), { level: 9 }).length;
console.log(`loaded before the first board: ${(compressed / 1024).toFixed(1)} KB compressed`
            + ' (gzip; the waves come later)');

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
    await page.goto(served.address);
    await page.waitForFunction(() => window.painted.length > 0 && performance.now() - window.painted.at(-1) > 300);
    firstBoards.push(await page.evaluate(() => new Promise(resolve =>
        requestAnimationFrame(() => resolve(window.painted.at(-1))))));
    await page.close();
}
console.log(`navigation to the first board: median ${percentile(firstBoards, 0.5).toFixed(0)} ms of 20 loads`);

// Space lifts the top disk of tower 1 and sets it back, over and over: from
// the key's event to the canvas holding the new picture.
const page = await browser.newPage();
await page.addInitScript(() => {
    window.keyToCanvas = [];
    let pressed = null;
    document.addEventListener('keydown', event => { pressed = event.timeStamp; }, true);
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...args) {
        put.apply(this, args);
        if (pressed !== null)
            window.keyToCanvas.push(performance.now() - pressed);
        pressed = null;
    };
});
await page.goto(served.address);
await page.waitForFunction(() => document.querySelector('canvas.sprite')?.style.display === 'block');
await page.keyboard.press('F2');
for (let press = 0; press < 240; ++press) {
    const before = await page.evaluate(() => window.keyToCanvas.length);
    await page.keyboard.press('Space');
    await page.waitForFunction(count => window.keyToCanvas.length > count, before);
}
const keys = await page.evaluate(() => window.keyToCanvas);
console.log(`Space to the new board on the canvas: median ${percentile(keys, 0.5).toFixed(2)} ms, `
            + `99th percentile ${percentile(keys, 0.99).toFixed(2)} ms (${keys.length} presses)`);
await browser.close();
served.server.kill();
