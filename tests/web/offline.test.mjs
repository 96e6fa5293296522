// Installable and offline: the manifest names the game and its icons, the
// folder served and its zip hold the site alone, and after one visit the page
// plays again with the network off.
import { execFileSync } from 'node:child_process';
import { readdir, readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { site, withBrowser } from './harness.mjs';

const session = withBrowser();

const boardShown = page => page.waitForFunction(() =>
    document.querySelector('canvas.sprite')?.style.display === 'block');

test('the manifest makes it an app with its icons', async () => {
    const manifest = await (await fetch(session.address + 'manifest.webmanifest')).json();
    assert.equal(manifest.name, 'Velmora');
    for (const icon of manifest.icons)
        assert.equal((await fetch(session.address + icon.src)).status, 200, icon.src);
});

test('the folder served, and its zip, hold what the worker keeps and the worker alone', async () => {
    const worker = await readFile(join(site, 'sw.js'), 'utf8');
    const kept = worker.match(/const files = \[(.*)\]/)[1].split(',').map(file => file.trim().slice(1, -1))
        .filter(file => file !== './');
    const zip = join(site, '../../dist', worker.match(/const store = '(.*)'/)[1] + '-web.zip');
    const zipped = execFileSync('python3', ['-c', 'import sys, zipfile; print(*zipfile.ZipFile(sys.argv[1]).namelist())', zip])
        .toString().trim().split(' ').filter(name => !name.endsWith('/')).map(name => name.split('/')[1]);
    for (const files of [await readdir(site), zipped])
        assert.deepEqual(files.sort(), [...kept, 'sw.js'].sort());
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
