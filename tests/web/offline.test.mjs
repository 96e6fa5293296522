// Offline: after one visit the page plays again with its web server gone.
import { test } from 'node:test';
import { boardShown, launch, serve, waitFor } from './harness.mjs';

test('after one visit, a new visit with the web server gone plays', { timeout: 60000 }, async () => {
    const served = await serve();
    const browser = await launch();
    const page = await browser.open({ width: 1100, height: 720, density: 1, touch: false });
    try {
        await page.goto(served.address);
        await boardShown(page);
        // Ready once the worker is active: it has kept every file by then.
        await waitFor(page, () => navigator.serviceWorker.controller !== null
            || navigator.serviceWorker.ready.then(() => true), null, { what: 'a worker to keep the page' });
        const gone = new Promise(resolve => served.server.on('exit', resolve));
        served.server.kill();
        await gone;
        await page.goto(served.address);
        await boardShown(page);
        await page.key('F2');
        await page.key('Space');
        await waitFor(page, () => document.querySelector('canvas.sprite').width === 81, null,
                      { what: 'the lifted disk' });
    } finally {
        await page.close();
        await browser.close();
        served.server.kill();
    }
});
