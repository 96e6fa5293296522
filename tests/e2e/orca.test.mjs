// What a blind player hears: Debian's screen reader, Orca, running on this
// test's own desktop (x_session.sh --wm, inside a D-Bus session of its own,
// where the AT-SPI bus starts on demand), its speech read from its debug
// file. The Linux build is played by keys alone, the options panel gone
// through with Tab as a player who cannot see it would; the page is played
// in Firefox on the same desktop (not headless: a headless Firefox shows a
// screen reader nothing). Every check waits for the words with a deadline
// and says what was heard when they do not come.
//
//   VELMORA_EXECUTABLE  the Linux build's program
//   VELMORA_WEB_DIR     the site, for the page's case (the browser tests' harness
//                       serves it, and their Firefox driver plays it)
import { execFileSync, spawn } from 'node:child_process';
import { mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import * as puppeteer from '../web/drivers/puppeteer.mjs';
import { boardShown, serve } from '../web/harness.mjs';

const top = new URL('../..', import.meta.url).pathname;
const executable = process.env.VELMORA_EXECUTABLE ?? join(top, 'build/velmora');
const pause = milliseconds => new Promise(resolve => setTimeout(resolve, milliseconds));

let folder, orca, log;

// Everything Orca has said, in order.
const spoken = async () => [...(await readFile(log, 'utf8').catch(() => ''))
    .matchAll(/SPEECH OUTPUT: '(.*?)' ?\{'established/g)].map(([, words]) => words.trim());

// Orca itself, its debug file written line by line (it would keep the last
// lines back until its buffer fills).
const orcaLineByLine = `
import builtins, runpy, sys
log = sys.argv[-1].split('=', 1)[1]
opened = builtins.open
builtins.open = lambda file, mode='r', *rest, **named: \
    opened(file, mode, 1) if file == log and mode == 'w' else opened(file, mode, *rest, **named)
sys.argv[0] = '/usr/bin/orca'
runpy.run_path('/usr/bin/orca', run_name='__main__')
`;

// Waits until Orca has said, since the mark, something that contains the
// text (or, given a list, any of its texts); then returns a new mark.
async function hear(mark, text, timeout = 15000) {
    const deadline = Date.now() + timeout;
    for (;;) {
        const since = (await spoken()).slice(mark);
        const at = since.findIndex(words => [text].flat().some(text => words.includes(text)));
        if (at >= 0)
            return mark + at + 1;
        assert.ok(Date.now() < deadline, `Orca did not say "${text}"; it said: ${JSON.stringify(since)}`);
        await pause(50);
    }
}
const mark = async () => (await spoken()).length;

before(async () => {
    folder = await mkdtemp(join(tmpdir(), 'velmora-orca-'));
    log = join(folder, 'orca.log');
    orca = spawn('/usr/bin/python3', ['-c', orcaLineByLine, '--replace', `--debug-file=${log}`],
                 { stdio: 'ignore', env: { ...process.env, HOME: folder } });
    await hear(0, 'Screen reader on', 30000);
});

after(async () => {
    orca?.kill();
    await rm(folder, { recursive: true, force: true });
});

const xdotool = (...args) => execFileSync('xdotool', args).toString().trim();

test('the Linux build is heard as it is played: a new game, a lift, a drop, a refused drop, and the lost game',
     { timeout: 120000 }, async () => {
    const game = spawn(executable, [], { stdio: 'ignore' });
    try {
        const window = xdotool('search', '--sync', '--onlyvisible', '--name', '^Form1$').split('\n')[0];
        xdotool('windowactivate', '--sync', window);
        let heard = await hear(0, 'The cursor is over tower 1. No disk in hand.');  // the board, which has the keyboard
        const keys = (...names) => xdotool('key', '--clearmodifiers', ...names);

        // A game of 15 seconds, set as a player who cannot see the panel
        // would: Tab to the time, typed, then Tab to Ok, and Space.
        keys('ctrl+o', 'Tab');
        heard = await hear(heard, 'Time text');
        xdotool('type', '15');
        for (let tabs = 0; ; ++tabs) {
            assert.ok(tabs < 10, 'Tab never reached Ok');
            keys('Tab');
            const said = await mark();
            heard = await hear(said, ['push button', 'text.']);
            if ((await spoken()).slice(said).some(words => words.startsWith('Ok')))
                break;
        }
        keys('space');
        // The keyboard back on the board, which is named and told.
        heard = await hear(await hear(heard, 'Board'), 'The cursor is over tower 1. No disk in hand.');

        keys('F2');  // the same board as before, told afresh
        heard = await hear(heard, 'Tower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9, 10. Tower 2: empty. Tower 3: empty. '
                                  + 'The cursor is over tower 1. No disk in hand.');
        keys('space');
        heard = await hear(heard, 'Tower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9. Tower 2: empty. Tower 3: empty. '
                                  + 'The cursor is over tower 1. Disk 10 is in hand.');
        keys('Right', 'space');
        heard = await hear(heard, 'Tower 2: disk 10. Tower 3: empty. The cursor is over tower 2. No disk in hand.');
        // Disk 9 lifted, and set on the smaller disk 10: refused, and the
        // disk stays in hand, as the words said when it was lifted.
        keys('Left', 'space');
        heard = await hear(heard, 'The cursor is over tower 1. Disk 9 is in hand.');
        keys('Right', 'space');
        heard = await hear(heard, 'The cursor is over tower 2. Disk 9 is in hand.');
        await pause(1000);
        assert.deepEqual((await spoken()).slice(heard).filter(words => words.includes('Tower')), [],
                         'the refused drop told something else');
        await hear(heard, 'Ati pierdut - mai incercati', 30000);  // the lost game's box
    } finally {
        game.kill();
    }
});

test('the page is heard in Firefox: a lift and a drop', { timeout: 120000 }, async () => {
    const served = await serve();
    const browser = await puppeteer.launch('firefox', { headless: false });
    const page = await browser.open({ width: 1100, height: 720, density: 1 });
    try {
        await page.goto(served.address);
        await boardShown(page);
        const heard = await mark();
        await page.key('F2');
        await page.key('Space');
        // Each change is heard before the next: a status region read late says only the last.
        const lifted = await hear(heard, 'The cursor is over tower 1. Disk 10 is in hand.');
        await page.key('ArrowRight');
        await page.key('Space');
        await hear(lifted, 'Tower 2: disk 10. Tower 3: empty. The cursor is over tower 2. No disk in hand.');
    } finally {
        await browser.close();
        served.server.kill();
    }
});
