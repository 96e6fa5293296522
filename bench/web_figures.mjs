// Figures of the browser version in one engine (VELMORA_BROWSER, as the
// tests take it): what the page loads before its first board, compressed; the
// time from navigation to the first board on the canvas; and a Space key, a
// click on the board, and where the driver plays a phone a tap, to the new
// board on the canvas.
// Build first (scripts/build-web) and install the test tools (npm ci in tests/web).
// The site is served with a probe as the first script of its page, so that
// it counts from the navigation's start in every engine.
import { cp, mkdtemp, readFile, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { boardPoint, boardShown, canTouch, engine, launch, serve, site, waitFor } from '../tests/web/harness.mjs';

const percentile = (values, fraction) => {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.round(fraction * (sorted.length - 1))];
};

// When each canvas change was made, from the navigation's start, and how long
// after the last key or press it came.
const probe = `<script>
window.painted = [];
window.toCanvas = [];
(() => {
    let pressed = null;
    for (const kind of ['keydown', 'pointerdown'])
        document.addEventListener(kind, () => { pressed = performance.now(); }, true);
    const put = CanvasRenderingContext2D.prototype.putImageData;
    CanvasRenderingContext2D.prototype.putImageData = function (...args) {
        put.apply(this, args);
        window.painted.push(performance.now());
        if (pressed !== null)
            window.toCanvas.push(performance.now() - pressed);
        pressed = null;
    };
})();
</script>`;
const probed = await mkdtemp(join(tmpdir(), 'velmora-figures-'));
await cp(site, probed, { recursive: true });
const page = await readFile(join(site, 'index.html'), 'utf8');
await writeFile(join(probed, 'index.html'), page.replace('<head>', '<head>\n' + probe));

const served = await serve(probed);
const browser = await launch();
const open = async (options = {}) => {
    const page = await browser.open({ width: 1100, height: 720, density: 1, touch: false, ...options });
    await page.goto(served.address);
    return page;
};
const firstBoards = [];
for (let round = 0; round < 20; ++round) {
    const page = await open();
    await waitFor(page, () => window.painted.length > 0 && performance.now() - window.painted.at(-1) > 300);
    const [firstBoard, asked] = await page.evaluate(() => new Promise(resolve => requestAnimationFrame(() => {
        const firstBoard = window.painted.at(-1);
        // The site's files the page asked for before its first board.
        resolve([firstBoard, performance.getEntriesByType('resource').filter(entry => entry.startTime < firstBoard)
            .map(entry => new URL(entry.name).pathname.slice(1))]);
    })));
    firstBoards.push(firstBoard);
    await page.close();
    if (round === 0) {
        let compressed = 0;
        for (const file of ['index.html', ...new Set(asked)])
            compressed += gzipSync(await readFile(join(site, file)), { level: 9 }).length;
        console.log(`${engine}: loaded before the first board: ${(compressed / 1024).toFixed(1)} KB compressed`
                    + ` (gzip: index.html, ${[...new Set(asked)].join(', ')})`);
    }
}
console.log(`${engine}: navigation to the first board: median ${percentile(firstBoards, 0.5).toFixed(0)} ms`
            + ` of 20 loads`);

// Space, or a press on tower 1, lifts its top disk and sets it back, over
// and over: from the page's receiving the key or the press to the canvas
// holding the new picture. (The browser's own time to hand an emulated press
// to the page is not counted: it is the browser's, not the game's.)
for (const by of ['Space', 'a click', ...canTouch ? ['a tap'] : []]) {
    const page = await open({ touch: by === 'a tap' });
    await boardShown(page);
    await page.key('F2');
    await waitFor(page, () => window.toCanvas.length > 0);  // the new game's board, not counted
    await page.evaluate(() => { window.toCanvas = []; });
    const tower1 = await boardPoint(page, 157, 250);
    for (let press = 0; press < 240; ++press) {
        const before = await page.evaluate(() => window.toCanvas.length);
        await (by === 'Space' ? page.key('Space') : page.pointer(by === 'a tap' ? 'tap' : 'click', ...tower1));
        await waitFor(page, count => window.toCanvas.length > count, before);
    }
    const times = await page.evaluate(() => window.toCanvas);
    console.log(`${engine}: ${by} to the new board on the canvas: median ${percentile(times, 0.5).toFixed(2)} ms, `
                + `99th percentile ${percentile(times, 0.99).toFixed(2)} ms (${times.length} presses)`);
    await page.close();
}
await browser.close();
served.server.kill();
await rm(probed, { recursive: true });
