// The browser version played as on the desktop: the scenarios both harnesses
// play (moves, a lost and a won game), the first board at twice the scale, a
// wave that cannot sound, a late timer, the panel's faces, a refused text,
// the About and System Info, a failed check, and the game's end. Every check
// waits for the state it expects.

// The lengths of the buzz, a wave that cannot sound, and the ring.
const Lose = 0.6;
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { auditFindsNothingSerious, buttonEdgesDiffer, openGame, shotDiffersFrom, staysStill,
         withBrowser }
    from './harness.mjs';
import { playScenario, readScenarios } from './scenarios.mjs';

const session = withBrowser();
const scenarios = await readScenarios();

// A case on a page of its own, in a context made with the options given if
// any, the game loaded; it fails on an error thrown into the page, and the
// page is closed however it ends.
const played = (name, ...optionsAndCase) => {
    const playCase = optionsAndCase.pop();
    test(name, async () => {
        const page = await openGame(session.browser, session.address, optionsAndCase[0]);
        try {
            await playCase(page);
            assert.deepEqual(page.errors, []);  // none thrown into the page
        } finally {
            await page.close();
        }
    });
};

describe('the scenarios', () => {
    for (const { name, steps } of scenarios)
        played(name, page => playScenario(page, steps));
});

// On phones and a tablet, held either way: the window whole on the screen,
// nothing to scroll sideways, nothing a finger presses under 24 pixels as
// shown, and a game of three disks set and won by taps alone; then the About.
describe('by touch', () => {
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
    const tapMenus = async (page, ...names) => {
        for (const name of names) {
            await page.getByRole('menuitem', { name }).tap();
            assert.deepEqual(await amiss(page), []);
        }
    };
    for (const [width, height] of [[390, 844], [844, 390], [768, 1024]])
        played(`at ${width} x ${height}`, { viewport: { width, height }, isMobile: true, hasTouch: true }, async page => {
            await tapMenus(page, 'Joc', 'Optiuni');
            await playScenario(page, ['type Level | 3', 'click Ok', 'towers 3 0 0']);
            await tapMenus(page, 'Joc', 'StartJoc');
            await playScenario(page, ['solve 3', 'box Finish .... | Felicitari, ati terminat ...', 'heard ... drop~+win']);
            assert.deepEqual(await amiss(page), []);
            await playScenario(page, ['answer']);
            await tapMenus(page, 'Ajutor', 'Despre');
            await page.locator('dialog.about button[data-default="true"]').tap();
            await page.locator('dialog.about').waitFor({ state: 'detached' });
            await page.setViewportSize({ width: height, height: width });  // turned on its side
            await page.evaluate(() => new Promise(requestAnimationFrame));  // after the resize's handlers
            assert.deepEqual(await amiss(page), []);
        });
});

describe('the page', () => {
    // The first board, the sprite over it, as the Linux build's. Each of the
    // page's states (here at start; the panel, the About and a box below)
    // passes the accessibility audit.
    played('fitted to a screen twice its size, at twice the density, each pixel of the board a square of 4 x 4',
           { viewport: { width: 2100, height: 1400 }, deviceScaleFactor: 2 }, async page => {
        const shot = await page.locator('canvas.board').screenshot();
        assert.equal(await shotDiffersFrom(shot, 'board.png', { scale: 4 }), 0);
        await auditFindsNothingSerious(page);
    });

    // No worker: the waves are fetched by the page, as on a first visit.
    played('a wave that cannot be fetched or decoded is silence, and a ring that cannot sound holds nothing',
           { serviceWorkers: 'block', routes: {
               '**/arrow.wav': route => route.fulfill({ status: 404 }),
               '**/riiiing.wav': route => route.fulfill({ body: 'RIFF, and then no wave', contentType: 'audio/wav' }) } },
           async page => {
        await page.keyboard.press('Control+o');
        await page.getByLabel('Time', { exact: true }).fill('2');
        await page.getByRole('button', { name: 'Ok' }).click();
        await page.keyboard.press('F2');
        await page.keyboard.press('Space');
        const started = Date.now();
        const box = page.locator('dialog.box');
        await box.waitFor({ timeout: 15000 });
        // Two ticks and no ring: a held ring would keep the box back for its five-second bound.
        assert.ok(Date.now() - started < 6000, `the box came ${Date.now() - started} ms after F2`);
        await page.waitForFunction(() => window.heard.length > 0);
        assert.deepEqual(await page.evaluate(() => window.heard), [Lose]);  // neither the lift nor the ring
    });

    played('every second counts, however late a hidden page\'s timer comes', async page => {
        await page.clock.install();
        await page.keyboard.press('F2');
        // The browser holds a hidden page's timers back; here ten seconds pass
        // before the clock's timer runs again.
        await page.clock.fastForward(10000);
        await page.waitForFunction(() => document.querySelector('.readout').textContent !== '');
        assert.equal(await page.locator('.readout').textContent(), '10');
    });

    played('the panel\'s buttons wear the desktop\'s faces, set in while pressed', async page => {
        await page.keyboard.press('Control+o');
        const panel = page.locator('.panel');
        await panel.waitFor();
        await auditFindsNothingSerious(page);
        const edges = await buttonEdgesDiffer(page, '.panel', await panel.screenshot(), 'panel.png');
        assert.deepEqual(edges, { 'Time Up': 0, 'Time Down': 0, 'Level Up': 0, 'Level Down': 0, 'Ok': 0 });
        const ok = page.getByRole('button', { name: 'Ok' });
        await ok.hover();
        await page.mouse.down();
        const pressed = await buttonEdgesDiffer(page, '.panel', await panel.screenshot(), 'panel.png');
        assert.ok(pressed.Ok > 0 && pressed['Time Up'] === 0, JSON.stringify(pressed));
        await page.mouse.up();
    });

    played('the About, and System Info, which a page does not have', async page => {
        await page.keyboard.press('Control+o');
        await page.keyboard.press('F2');  // a game going on behind it
        await page.keyboard.press('F1');
        const about = page.locator('dialog.about');
        await about.waitFor();
        await auditFindsNothingSerious(page);
        assert.equal(await about.locator('.title').innerText(), 'About Velmora');
        // In front of the open panel, which its lower left corner covers.
        assert.ok(await about.evaluate(about => {
            const box = about.getBoundingClientRect();
            return about.contains(document.elementFromPoint(box.left + 20, box.bottom - 10));
        }), 'the About stands behind the options panel');
        assert.match(await about.innerText(), /Version 1\.0\.0/);
        await page.keyboard.press('Alt+Shift+Quote');  // no button's letter: nothing
        await page.keyboard.press('Alt+s');  // its underlined letter
        const box = page.locator('dialog.box');
        await box.waitFor();
        assert.equal(await box.locator('.prompt').innerText(), 'System Information Is Unavailable At This Time');
        await auditFindsNothingSerious(page);
        await page.keyboard.press('Enter');
        await box.waitFor({ state: 'detached' });
        // The About's keys are its own, as a window's: Right does not move the
        // game's cursor, and Esc closes it.
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press('Escape');
        await about.waitFor({ state: 'detached' });
        assert.equal(await page.locator('canvas.sprite').evaluate(sprite => sprite.style.left), '116px');
    });

    played('a failed check is reported as on the desktop, and the game stops', async page => {
        await page.keyboard.press('F2');
        // The page hands the game its commands by number: one past the table.
        await page.evaluate(() => Module._velmora_command(11));
        const box = page.locator('dialog.box.error');
        await box.waitFor();
        assert.equal(await box.locator('.title').innerText(), 'Velmora');
        assert.equal(await box.locator('.prompt').innerText(), "Run-time error '9':\n\nSubscript out of range");
        await page.keyboard.press('Enter');
        await page.getByText('Jocul s-a oprit dupa o eroare.').waitFor();
        await staysStill(page, '.readout');  // the clock stopped with it
    });

    played('is titled Form1, with two menus; Exit, by its key and by the menu (taps choose from menus too), ends '
           + 'the game and leaves a page that starts it again', async page => {
        assert.equal(await page.title(), 'Form1');
        assert.deepEqual(await page.locator('.menu').allInnerTexts(), ['Joc', 'Ajutor']);
        await page.keyboard.press('F4');
        const again = page.getByRole('button', { name: 'Porneste din nou' });
        await again.waitFor();
        await again.click();
        await page.waitForFunction(() => document.querySelector('.ended') === null
            && document.querySelector('canvas.sprite')?.style.display === 'block');
        // And by the menu opened with the mouse and gone through with keys,
        // which are the menu's while it is open: Right goes to "Ajutor", not
        // the game's cursor, and the greyed Optiuni is passed over.
        await page.keyboard.press('F2');
        await page.getByRole('menuitem', { name: 'Joc' }).click();
        for (const key of ['ArrowRight', 'ArrowLeft', 'ArrowDown', 'ArrowDown', 'Enter'])
            await page.keyboard.press(key);
        await again.waitFor();
        assert.equal(await page.locator('canvas.sprite').evaluate(sprite => sprite.style.left), '116px');
    });
});
