// The browser's driver of the scenarios both end-to-end harnesses play
// (tests/e2e/scenarios.txt, whose head says what each step does): each step
// done on the page with the keyboard and the mouse, each check a condition
// the page is waited on to meet.
import { readFile } from 'node:fs/promises';
import assert from 'node:assert/strict';
import { boardPoint, press, staysStill, waitFor } from './harness.mjs';

const KeyNames = { ctrl: 'Control', alt: 'Alt', shift: 'Shift', space: 'Space', Left: 'ArrowLeft',
                   Right: 'ArrowRight', Return: 'Enter' };

// Each scenario's name and steps, indented under it.
export const readScenarios = async () =>
    (await readFile(new URL('../e2e/scenarios.txt', import.meta.url), 'utf8')).split('\nscenario ').slice(1)
        .map(scenario => scenario.split('\n'))
        .map(([name, ...lines]) => ({ name, steps: lines.filter(line => line.startsWith(' ')).map(line => line.trim()) }));

// The length of each cue's wave, in seconds, which tells the cues apart.
const CueSeconds = { lift: 0.18, drop: 0.25, win: 1.2, ring: 1, lose: 0.6 };

// What the checks read in the page.
const probes = seconds => {
    const sprite = () => document.querySelector('canvas.sprite');
    window.spriteOver = (tower, width) => parseInt(sprite().style.left) === 116 + 314 * (tower - 1)
        && sprite().width === width;
    // How many disks stand on each tower: the level of the top disk, the one
    // whose navy face shows whole.
    window.towers = () => [1, 2, 3].map(tower => {
        const board = document.querySelector('canvas.board').getContext('2d');
        const navy = level => board.getImageData(100 + 314 * (tower - 1), 315 - 19 * (level - 1), 115, 1).data
            .filter((value, i) => i % 4 === 2 && value === 128).length;  // blue 128: only the navy
        let disks = 15;
        while (disks > 0 && navy(disks) <= 20)
            --disks;
        return disks;
    }).join(' ');
    // Whether the sounds started are these cues (after "...": end in them).
    window.heardAs = words => {
        const tail = words[0] === '...';
        const cues = words.slice(tail ? 1 : 0).flatMap(group => group.split('+'));
        return (tail || window.heard.length === cues.length)
            && window.heard.slice(-cues.length).join() === cues.map(cue => seconds[cue.replace('~', '')]).join();
    };
    window.lastCut = words => seconds[words.flatMap(group => group.split('+')).findLast(cue => cue.endsWith('~'))
        ?.replace('~', '')];
};

function* shortestSolution(disks, from, to) {
    if (disks > 0) {
        yield* shortestSolution(disks - 1, from, 6 - from - to);
        yield [from, to];
        yield* shortestSolution(disks - 1, 6 - from - to, to);
    }
}

const steps = {
    keys: async (page, words) => {
        for (const key of words)
            await page.key(key.split('+').map(part => KeyNames[part] ?? part).join('+'));
    },
    // Where the screen shows the board, not where the page says it is.
    press: async (page, [tower]) =>
        page.pointer(page.touch ? 'tap' : 'click', ...await boardPoint(page, 157 + 314 * (tower - 1), 250)),
    type: async (page, [name, text]) => {
        await press(page, '.panel input', name);
        await page.key('Control+a');
        await page.type(text);
    },
    click: async (page, buttons) => {
        for (const name of buttons) {
            // "Time Up" changes the box named "Time".
            const box = `.panel input[aria-label="${name.split(' ')[0]}"]`;
            const before = await page.evaluate(box => document.querySelector(box)?.value, box);
            await press(page, '.panel button', name);
            if (name !== 'Ok')
                await waitFor(page, ([box, before]) => document.querySelector(box).value !== before, [box, before],
                              { what: `${name} to change its box` });
        }
    },
    cursor: (page, [tower]) => waitFor(page, tower => spriteOver(tower, 83), Number(tower),
                                       { what: `the cursor over tower ${tower}` }),
    hand: (page, [tower]) => waitFor(page, tower => spriteOver(tower, 81), Number(tower),
                                     { what: `the disk in hand over tower ${tower}` }),
    towers: (page, counts) => waitFor(page, counts => towers() === counts, counts.join(' '),
                                      { what: `towers ${counts.join(' ')}`, shown: () => towers() }),
    solve: async (page, [disks]) => {
        for (const [from, to] of shortestSolution(Number(disks), 1, 3))
            for (const tower of [from, to])
                await steps.press(page, [tower]);
    },
    box: async (page, [title, prompt, seconds = 0], since) => {
        const shown = await waitFor(page, () => {
            const box = document.querySelector('dialog.box');
            return box && { title: box.querySelector('.title').innerText,
                            prompt: box.querySelector('.prompt').innerText.trimEnd() };  // the win's ends in a blank
        }, null, { timeout: 20000, what: `the box "${title}"` });
        assert.ok(Date.now() - since > 1000 * seconds, `the box came after ${Date.now() - since} ms`);
        assert.deepEqual(shown, { title, prompt });
    },
    answer: async page => {
        await (page.touch ? press(page, 'dialog.box button') : page.key('Enter'));
        await waitFor(page, () => !document.querySelector('dialog.box'), null, { what: 'the box to close' });
    },
    readout: async (page, [how]) => {
        if (how === 'stands')
            return staysStill(page, '.readout');
        const shown = await page.evaluate(() => document.querySelector('.readout').innerText);
        await waitFor(page, shown => document.querySelector('.readout').innerText !== shown, shown,
                      { timeout: 3000, what: 'the read-out to count' });
    },
    // Then nothing more for half a second; a cue ending in ~ was the last stopped.
    heard: async (page, words) => {
        await waitFor(page, words => heardAs(words), words, { what: `to hear ${words.join(' ')}`,
                                                              shown: () => window.heard });
        await new Promise(resolve => setTimeout(resolve, 500));
        assert.ok(await page.evaluate(words => heardAs(words), words), 'a sound more was heard');
        assert.ok(await page.evaluate(words => !lastCut(words) || window.cut.at(-1) === lastCut(words), words),
                  'the cue marked ~ was not the last cut short');
    },
    words: (page, words) => waitFor(page, text =>
        document.querySelector('[role=status]').textContent.endsWith(text), words.join(' '),
        { what: `the board in words ending "${words.join(' ')}"`,
          shown: () => document.querySelector('[role=status]').textContent }),
};

// Plays the steps in turn, each told when the one before ended.
export async function playScenario(page, scenario) {
    await page.evaluate(probes, CueSeconds);
    let since = Date.now();
    for (const step of scenario) {
        const [verb, ...words] = step.split(' ');
        const fields = ['type', 'click', 'box'].includes(verb) ? words.join(' ').split(' | ') : words;
        assert.ok(steps[verb], `no step ${verb}`);
        await steps[verb](page, fields, since).catch(error => {
            error.message = `at the step "${step}": ${error.message}`;
            throw error;
        });
        since = Date.now();
    }
}
