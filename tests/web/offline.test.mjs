// Installable and offline: the manifest names the game and its icons, and
// after one visit the page plays again with the network off.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { withBrowser } from './harness.mjs';

const session = withBrowser();

const boardShown = page => page.waitForFunction(() =>
    document.querySelector('canvas.sprite')?.style.display === 'block');

test('the manifest makes it an app with its icons', async () => {
    const manifest = await (await fetch(session.address + 'manifest.webmanifest')).json();
    assert.equal(manifest.name, 'Velmora');
    for (const icon of manifest.icons)
        assert.equal((await fetch(session.address + icon.src)).status, 200, icon.src);
});

test('after one visit a reload with the network cut plays', { timeout: 60000 }, async () => {
    const context = await session.browser.newContext();
    const page = await context.newPage();
    await page.goto(session.address);
    await boardShown(page);
    // Ready once the worker is active: it has kept every file by then.
    assert.ok(await page.evaluate(() => Promise.race([navigator.serviceWorker.ready.then(() => true),
        new Promise(resolve => setTimeout(() => resolve(false), 10000))])), 'no worker keeps the page');
    await context.setOffline(true);
    await page.reload();
    await boardShown(page);
    await page.keyboard.press('F2');
    await page.keyboard.press('Space');
    await page.waitForFunction(() => document.querySelector('canvas.sprite').width === 81);
    await context.close();
});
