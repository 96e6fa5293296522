// The browser version played as on the desktop, the same cases in each
// engine (VELMORA_BROWSER): the scenarios both harnesses play (moves, a lost
// and a won game), a game won by presses at every scale, the first board, a
// wave that cannot sound, a late timer, the panel's faces, the About and
// System Info, a failed check, and the game's end; in the engine whose driver
// plays a phone, the page by touch. Every check waits for the state it
// expects.
import { cp, rm, writeFile, mkdtemp } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { auditFindsNothingSerious, Board, buttonEdgesDiffer, canTouch, crop, differsFrom, engine, openGame, press,
         reloaded, screen, serve, shownBoard, site, staysStill, waitFor, withBrowser } from './harness.mjs';
import { playScenario, readScenarios } from './scenarios.mjs';

const session = withBrowser();
const scenarios = await readScenarios();

// A case on a page of its own, made with the options given if any (size,
// density, touch), the game loaded; it fails on an error thrown into the
// page, and the page is closed however it ends.
const played = (name, ...optionsAndCase) => {
    const playCase = optionsAndCase.pop();
    test(name, async () => {
        const { address = session.address, ...options } = optionsAndCase[0] ?? {};
        const page = await openGame(session.browser, address, options);
        try {
            await playCase(page);
            assert.deepEqual(await page.evaluate(() => window.thrown), []);  // none thrown into the page
        } finally {
            await page.close();
        }
    });
};

const pressMenus = async (page, names, afterEach = () => {}) => {
    for (const name of names) {
        await press(page, '.menu, .item', name);
        await afterEach();
    }
};

describe('the scenarios', () => {
    for (const { name, steps } of scenarios)
        played(name, page => playScenario(page, steps));
});

// Below the game's own size the window is scaled down to fit; above it, to
// the largest whole factor. Wherever it is shown, it stands at the top left
// corner and a press lands on the tower the screen shows under it.
describe('at every scale', () => {
    for (const [width, height, scale] of [[600, 700, 600 / Board.width], [1100, 720, 1], [2100, 1400, 2]])
        played(`at ${width} x ${height}, the board at ${scale.toFixed(2)} and a game won by presses`,
               { width, height }, async page => {
            const board = await shownBoard(page);
            // A pixel's slack: the board's smoothed edge below the game's own size.
            for (const [shown, expected] of [[board.left, 0], [board.top, Board.menuBar * scale],
                                             [board.width, Board.width * scale]])
                assert.ok(Math.abs(shown - expected) <= 1, `the board stands at ${JSON.stringify(board)}`);
            await playScenario(page, ['keys ctrl+o', 'type Level | 3', 'click Ok', 'towers 3 0 0', 'keys F2',
                                      'press 1', 'press 3', 'towers 2 0 1', 'press 3', 'press 1', 'towers 3 0 0',
                                      'solve 3',
                                      'box Finish .... | Felicitari, ati terminat ...', 'towers 0 0 3', 'answer']);
        });
});

// On phones and a tablet, held either way: the window whole on the screen,
// nothing to scroll sideways, nothing a finger presses under 24 pixels as
// shown, and a game of three disks set and won by taps alone; then the About.
if (canTouch) describe('by touch', () => {
    // What is amiss: the window not whole on the screen, or things to press
    // under 24 pixels as shown.
    const amiss = page => page.evaluate(() => {
        const { clientWidth, clientHeight, scrollWidth } = document.documentElement;
        const board = document.querySelector('canvas.board').getBoundingClientRect();
        return [...document.querySelectorAll('.menu, .item, button, input')].filter(target => {
            const shown = target.getBoundingClientRect();
            return shown.width > 0 && Math.min(shown.width, shown.height) * visualViewport.scale < 24;
        }).map(target => target.textContent || target.ariaLabel)
            .concat(scrollWidth > clientWidth || board.bottom > clientHeight ? ['not whole on the screen'] : []);
    });
    const nothingAmiss = async page => assert.deepEqual(await amiss(page), []);
    for (const [width, height] of [[390, 844], [844, 390], [768, 1024]])
        played(`at ${width} x ${height}`, { width, height, touch: true }, async page => {
            await pressMenus(page, ['Joc', 'Optiuni'], () => nothingAmiss(page));
            await playScenario(page, ['type Level | 3', 'click Ok', 'towers 3 0 0']);
            await pressMenus(page, ['Joc', 'StartJoc'], () => nothingAmiss(page));
            await playScenario(page, ['solve 3', 'box Finish .... | Felicitari, ati terminat ...', 'heard ... drop~+win']);
            await nothingAmiss(page);
            await playScenario(page, ['answer']);
            await pressMenus(page, ['Ajutor', 'Despre'], () => nothingAmiss(page));
            await press(page, 'dialog.about button[data-default="true"]');
            await waitFor(page, () => !document.querySelector('dialog.about'), null, { what: 'the About to close' });
            await page.resize(height, width);  // turned on its side
            await page.evaluate(() => new Promise(requestAnimationFrame));  // after the resize's handlers
            await nothingAmiss(page);
        });
});

describe('the page', () => {
    // The first board, the sprite over it, as the Linux build's: at the
    // game's own size, and where the driver sets a screen's density, on a
    // screen twice the window's size at twice the density, each pixel of the
    // board a square of 4 x 4. Each of the page's states (here at start; the
    // panel, the About and a box below) passes the accessibility audit.
    for (const [width, height, density, scale] of [[1100, 720, 1, 1], [2100, 1400, 2, 2]].slice(0, engine === 'webkit' ? 1 : 2))
        played(`the first board at ${width} x ${height} and density ${density} is the Linux build's`,
               { width, height, density }, async page => {
            const { left, top, width } = await shownBoard(page);
            const board = crop(await screen(page), { left: left * density, top: top * density,
                                                     width: width * density, height: Board.height * scale * density });
            assert.equal(board.width, Board.width * scale * density);
            assert.equal(await differsFrom(board, 'board.png', { scale: scale * density }), 0);
            await auditFindsNothingSerious(page);
        });

    // Served without the lift's wave and with a ring that is no wave.
    test('a wave that cannot be fetched or decoded is silence, and a ring that cannot sound holds nothing', async () => {
        const damaged = await mkdtemp(join(tmpdir(), 'velmora-site-'));
        await cp(site, damaged, { recursive: true });
        await rm(join(damaged, 'arrow.wav'));  // the lift's
        await writeFile(join(damaged, 'riiiing.wav'), 'RIFF, and then no wave');
        const served = await serve(damaged);
        const page = await openGame(session.browser, served.address);
        try {
            await playScenario(page, ['keys ctrl+o', 'type Time | 2', 'click Ok', 'keys F2 space']);
            const started = Date.now();
            // Two ticks and no ring: a held ring would keep the box back for its five-second bound.
            await playScenario(page, ['box Game Over | Ati pierdut - mai incercati']);
            assert.ok(Date.now() - started < 6000, `the box came ${Date.now() - started} ms after F2`);
            await playScenario(page, ['heard lose']);  // neither the lift nor the ring
        } finally {
            await page.close();
            served.server.kill();
            await rm(damaged, { recursive: true });
        }
    });

    // Served for one visit, then gone: the worker keeps the page.
    test('after one visit, a new visit with the web server gone plays', async () => {
        const served = await serve();
        const page = await openGame(session.browser, served.address);
        try {
            // Ready once the worker is active: it has kept every file by then.
            await waitFor(page, () => navigator.serviceWorker.ready.then(() => true), null,
                          { what: 'a worker to keep the page' });
            const gone = new Promise(resolve => served.server.on('exit', resolve));
            served.server.kill();
            await gone;
            await page.goto(served.address);
            await reloaded(page);
            await playScenario(page, ['keys F2 space', 'hand 1']);
        } finally {
            await page.close();
            served.server.kill();
        }
    });

    played('every second counts, however late a hidden page\'s timer comes', async page => {
        await page.evaluate(() => {
            const now = performance.now.bind(performance);
            window.timerLate = 0;
            performance.now = () => now() + window.timerLate;
        });
        await page.key('F2');
        const readout = () => document.querySelector('.readout').textContent;
        await waitFor(page, () => document.querySelector('.readout').textContent === '1', null,
                      { what: 'the first second' });
        // The browser holds a hidden page's timers back; here the clock's
        // timer runs again ten seconds late.
        await page.evaluate(() => { window.timerLate = 10000; });
        await waitFor(page, () => document.querySelector('.readout').textContent !== '1', null,
                      { what: 'the next second' });
        assert.equal(await page.evaluate(readout), '12');
    });

    played('the panel\'s buttons wear the desktop\'s faces, set in while pressed', async page => {
        await page.key('Control+o');
        await waitFor(page, () => document.querySelector('.panel').style.display === 'block', null,
                      { what: 'the panel' });
        await auditFindsNothingSerious(page);
        const edges = await buttonEdgesDiffer(page, '.panel', 'panel.png');
        assert.deepEqual(edges, { 'Time Up': 0, 'Time Down': 0, 'Level Up': 0, 'Level Down': 0, 'Ok': 0 });
        const ok = await page.evaluate(() => {
            const box = [...document.querySelectorAll('.panel button')].at(-1).getBoundingClientRect();
            return [box.left + box.width / 2, box.top + box.height / 2];
        });
        // With the keyboard but not pressed, a button stands out as before.
        for (let tabs = 0; tabs < 5 && await page.evaluate(() => document.activeElement.getAttribute('aria-label')) !== 'Time Up'; ++tabs)
            await page.key('Tab');
        assert.deepEqual(await buttonEdgesDiffer(page, '.panel', 'panel.png'), edges);
        await page.pointer('down', ...ok);
        const pressed = await buttonEdgesDiffer(page, '.panel', 'panel.png');
        assert.ok(pressed.Ok > 0 && pressed['Time Up'] === 0, JSON.stringify(pressed));
        await page.pointer('up', ...ok);
    });

    played('the About, and System Info, which a page does not have', async page => {
        await page.key('Control+o');
        await page.key('F2');  // a game going on behind it
        await page.key('F1');
        await waitFor(page, () => document.querySelector('dialog.about')?.open, null, { what: 'the About' });
        await auditFindsNothingSerious(page);
        const about = await page.evaluate(() => {
            const about = document.querySelector('dialog.about');
            const box = about.getBoundingClientRect();
            return { title: about.querySelector('.title').innerText, text: about.innerText,
                     // In front of the open panel, which its lower left corner covers.
                     inFront: about.contains(document.elementFromPoint(box.left + 20, box.bottom - 10)) };
        });
        assert.equal(about.title, 'About Velmora');
        assert.match(about.text, /Version 1\.0\.0/);
        assert.ok(about.inFront, 'the About stands behind the options panel');
        await page.key('Alt+Shift+Quote');  // no button's letter: nothing
        await page.key('Alt+s');  // its underlined letter
        await playScenario(page, ['box Velmora | System Information Is Unavailable At This Time']);
        await auditFindsNothingSerious(page);
        await playScenario(page, ['answer']);
        // The About's keys are its own, as a window's: Right does not move the
        // game's cursor, and Esc closes it.
        await page.key('ArrowRight');
        await page.key('Escape');
        await waitFor(page, () => !document.querySelector('dialog.about'), null, { what: 'the About to close' });
        await playScenario(page, ['cursor 1']);
    });

    played('a failed check is reported as on the desktop, and the game stops', async page => {
        await page.key('F2');
        // The page hands the game its commands by number: one past the table.
        await page.evaluate(() => Module._velmora_command(11));
        await playScenario(page, ['box Velmora | Run-time error \'9\':\n\nSubscript out of range']);
        assert.ok(await page.evaluate(() => document.querySelector('dialog.box').classList.contains('error')));
        await page.key('Enter');
        await waitFor(page, () => document.querySelector('.ended')?.innerText.includes('Jocul s-a oprit dupa o eroare.'),
                      null, { what: 'the end screen' });
        await staysStill(page, '.readout');  // the clock stopped with it
    });

    played('is titled Form1, with two menus and their shortcuts; Exit, by its key and by the menu, ends the game and leaves a page '
           + 'that starts it again', async page => {
        assert.deepEqual(await page.evaluate(() => [document.title,
            ...[...document.querySelectorAll('.menu')].map(menu => menu.firstChild.textContent),
            ...[...document.querySelectorAll('.item')].map(item => [...item.children].map(part => part.textContent).join(' '))]),
        ['Form1', 'Joc', 'Ajutor', 'StartJoc F2', 'Optiuni Ctrl+O', 'Exit F4', 'Despre F1']);
        await page.key('F4');
        await waitFor(page, () => document.querySelector('.ended button') !== null, null, { what: 'the end screen' });
        await press(page, '.ended button', 'Porneste din nou');
        await reloaded(page);
        // And by the menu opened with the mouse and gone through with keys,
        // which are the menu's while it is open and wrap round both ways:
        // Left goes to "Ajutor", not the game's cursor, Up to the last item,
        // and the greyed Optiuni is passed over.
        await page.key('F2');
        await press(page, '.menu', 'Joc');
        for (const key of ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'ArrowUp', 'Enter'])
            await page.key(key);
        await waitFor(page, () => document.querySelector('.ended button') !== null, null, { what: 'the end screen' });
        await playScenario(page, ['cursor 1']);
    });
});
