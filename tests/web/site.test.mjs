// The site as it is served and zipped, whatever browser opens it: the
// manifest names the game and its icons, and the folder and its zip hold the
// site alone.
import { execFileSync } from 'node:child_process';
import { readdir, readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { serve, site } from './harness.mjs';

let served;
before(async () => { served = await serve(); });
after(() => served.server.kill());

test('the manifest makes it an app with its icons', async () => {
    const manifest = await (await fetch(served.address + 'manifest.webmanifest')).json();
    assert.equal(manifest.name, 'Velmora');
    for (const icon of manifest.icons)
        assert.equal((await fetch(served.address + icon.src)).status, 200, icon.src);
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
