// The browser version played as on the desktop: the first board pixel for
// pixel the Linux build's, moves with the keys and their sounds, a short game
// lost with the whole ring before the box and the read-out counting on under
// it, a won game, a refused text, the About and System Info, a failed check,
// and the game's end. Every check waits for the state it expects.

// The waves' lengths: the lift, the drop, the win, the time-up ring, the buzz.
const Lift = 0.18, Drop = 0.25, Win = 1.2, Ring = 1, Lose = 0.6;
import { describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { applyOption, boardDiffersFrom, buttonEdgesDiffer, heard, openGame, shotDiffersFrom, sprite, staysStill,
         withBrowser }
    from './harness.mjs';

const session = withBrowser();

// A case on a page of its own, in a context made with the options given if
// any, the game loaded; the page is closed however the case ends.
const played = (name, ...optionsAndCase) => {
    const playCase = optionsAndCase.pop();
    test(name, async () => {
        const page = await openGame(session.browser, session.address, optionsAndCase[0]);
        try {
            await playCase(page);
        } finally {
            await page.close();
        }
    });
};

describe('the page', () => {
    played('is titled Form1 and shows the Linux build\'s first board', async page => {
        assert.equal(await page.title(), 'Form1');
        assert.equal(await boardDiffersFrom(page, 'board.png'), 0);
        assert.deepEqual(await page.locator('.menu').allInnerTexts(), ['Joc', 'Ajutor']);
        assert.deepEqual(page.errors, []);
    });

    played('at twice the scale each pixel of the board is a square of four, unblurred', { deviceScaleFactor: 2 },
           async page => {
        const shot = await page.locator('canvas.board').screenshot();
        assert.equal(await shotDiffersFrom(page, shot, 'board.png', 2), 0);
    });

    played('moves with the keys as on the desktop', async page => {
        await page.keyboard.press('F2');
        await page.keyboard.press('Space');
        await page.waitForFunction(() => document.querySelector('canvas.sprite').width === 81);
        const lifted = await sprite(page);
        await page.keyboard.press('Alt+ArrowRight');
        await page.waitForFunction(left => parseInt(document.querySelector('canvas.sprite').style.left) > left,
                                   lifted.left);
        assert.equal((await sprite(page)).left - lifted.left, 314);  // one tower on
        // What a screen reader says of it.
        const words = await page.getByRole('status').textContent();
        assert.match(words, /The cursor is over tower 2\. Disk 10 is in hand\.$/);
        await page.keyboard.press('ArrowLeft');
        await page.keyboard.press('Space');
        await page.waitForFunction(() => document.querySelector('canvas.sprite').width === 83);
        assert.equal(await boardDiffersFrom(page, 'board.png'), 0);  // back where it was
    });

    played('a 3-second game is lost: the ring, then the box and the buzz; the read-out counts on under it',
           async page => {
        await applyOption(page, 'Time', '3');
        await page.keyboard.press('F2');
        const started = Date.now();
        const box = page.locator('dialog.box');
        await box.waitFor({ timeout: 15000 });
        // Three ticks, then the whole one-second ring the game waits for.
        assert.ok(Date.now() - started > 3900, `the box came ${Date.now() - started} ms after F2`);
        assert.deepEqual(await heard(page, 2), [Ring, Lose]);
        assert.equal(await box.locator('.title').innerText(), 'Game Over');
        assert.equal(await box.locator('.prompt').innerText(), 'Ati pierdut - mai incercati');
        const readout = page.locator('.readout');
        const under = Number(await readout.innerText());
        await page.waitForFunction(shown => Number(document.querySelector('.readout').textContent) > shown, under);
        await box.getByRole('button', { name: 'OK' }).click();
        await box.waitFor({ state: 'detached' });
        await staysStill(page, '.readout');
    });

    // No worker: the waves are fetched by the page, as on a first visit.
    played('a wave that cannot be fetched or decoded is silence, and a ring that cannot sound holds nothing',
           { serviceWorkers: 'block', routes: {
               '**/arrow.wav': route => route.fulfill({ status: 404 }),
               '**/riiiing.wav': route => route.fulfill({ body: 'RIFF, and then no wave', contentType: 'audio/wav' }) } },
           async page => {
        await applyOption(page, 'Time', '2');
        await page.keyboard.press('F2');
        await page.keyboard.press('Space');
        const started = Date.now();
        const box = page.locator('dialog.box');
        await box.waitFor({ timeout: 15000 });
        // Two ticks and no ring: a held ring would keep the box back for its five-second bound.
        assert.ok(Date.now() - started < 6000, `the box came ${Date.now() - started} ms after F2`);
        assert.deepEqual(await heard(page, 1), [Lose]);  // neither the lift nor the ring
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

    played('a one-disk game is won: lift, drop, and the win cutting the drop short, then the box', async page => {
        await applyOption(page, 'Level', '1');
        await page.keyboard.press('F2');
        await page.keyboard.press('Space');
        await page.keyboard.press('ArrowLeft');  // round the end, to tower 3
        await page.keyboard.press('Space');
        const box = page.locator('dialog.box');
        await box.waitFor();
        assert.equal(await box.locator('.title').innerText(), 'Finish ....');
        assert.deepEqual(await heard(page, 3), [Lift, Drop, Win]);
        assert.equal((await page.evaluate(() => window.cut)).at(-1), Drop);
    });

    played('the panel\'s buttons wear the desktop\'s faces, set in while pressed', async page => {
        await page.keyboard.press('Control+o');
        const panel = page.locator('.panel');
        await panel.waitFor();
        const edges = await buttonEdgesDiffer(page, '.panel', await panel.screenshot(), 'panel.png');
        assert.deepEqual(edges, { 'Time Up': 0, 'Time Down': 0, 'Level Up': 0, 'Level Down': 0, 'Ok': 0 });
        const ok = page.getByRole('button', { name: 'Ok' });
        await ok.hover();
        await page.mouse.down();
        const pressed = await buttonEdgesDiffer(page, '.panel', await panel.screenshot(), 'panel.png');
        assert.ok(pressed.Ok > 0 && pressed['Time Up'] === 0, JSON.stringify(pressed));
        await page.mouse.up();
    });

    played('text that is no number is refused and kept, ready to be corrected', async page => {
        await page.keyboard.press('Control+o');
        await page.getByLabel('Time', { exact: true }).fill('abc');
        await page.getByRole('button', { name: 'Ok' }).click();
        const box = page.locator('dialog.box');
        await box.waitFor();
        assert.match(await box.locator('.prompt').innerText(), /^Timpul \(Time\) trebuie/);
        await page.keyboard.press('Enter');
        await box.waitFor({ state: 'detached' });
        assert.equal(await page.getByLabel('Time', { exact: true }).inputValue(), 'abc');
    });

    played('the About, and System Info, which a page does not have', async page => {
        await page.keyboard.press('Control+o');
        await page.keyboard.press('F2');  // a game going on behind it
        await page.keyboard.press('F1');
        const about = page.locator('dialog.about');
        await about.waitFor();
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
        await page.keyboard.press('Enter');
        await box.waitFor({ state: 'detached' });
        // The About's keys are its own, as a window's: Right does not move the
        // game's cursor, and Esc closes it.
        await page.keyboard.press('ArrowRight');
        await page.keyboard.press('Escape');
        await about.waitFor({ state: 'detached' });
        assert.equal((await sprite(page)).left, 116);
        assert.deepEqual(page.errors, []);
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
        assert.deepEqual(page.errors, []);  // reported by the game, not thrown into the page
    });

    played('Exit, by its key and by the menu, ends the game and leaves a page that starts it again', async page => {
        await page.keyboard.press('F4');
        const again = page.getByRole('button', { name: 'Porneste din nou' });
        await again.waitFor();
        await again.click();
        await page.waitForFunction(() => document.querySelector('.ended') === null
            && document.querySelector('canvas.sprite')?.style.display === 'block');
        // And by the menu, with the mouse.
        await page.getByRole('menuitem', { name: 'Joc' }).click();
        await page.getByRole('menuitem', { name: 'Exit' }).click();
        await again.click();
        await page.waitForFunction(() => document.querySelector('canvas.sprite')?.style.display === 'block');
        // And by the menu opened with the mouse and gone through with keys,
        // which are the menu's while it is open: Right goes to "Ajutor", not
        // the game's cursor, and the greyed Optiuni is passed over.
        await page.keyboard.press('F2');
        await page.getByRole('menuitem', { name: 'Joc' }).click();
        for (const key of ['ArrowRight', 'ArrowLeft', 'ArrowDown', 'ArrowDown', 'Enter'])
            await page.keyboard.press(key);
        await again.waitFor();
        assert.equal((await sprite(page)).left, 116);
    });
});
