// The browser's driver of the scenarios both end-to-end harnesses play
// (tests/e2e/scenarios.txt, whose head says what each step does): each step
// done on the page with the keyboard and the mouse, each check a condition
// the page is waited on to meet.
import { readFile } from 'node:fs/promises';
import assert from 'node:assert/strict';
import { staysStill } from './harness.mjs';

const KeyNames = { ctrl: 'Control', alt: 'Alt', shift: 'Shift', space: 'Space', Left: 'ArrowLeft',
                   Right: 'ArrowRight', Return: 'Enter' };

// Each scenario's name and steps, indented under it.
export const readScenarios = async () =>
    (await readFile(new URL('../e2e/scenarios.txt', import.meta.url), 'utf8')).split('\nscenario ').slice(1)
        .map(scenario => scenario.split('\n'))
        .map(([name, ...lines]) => ({ name, steps: lines.filter(line => line.startsWith(' ')).map(line => line.trim()) }));

// What the checks read in the page. The waves' lengths tell the cues apart.
const probes = () => {
    const seconds = { lift: 0.18, drop: 0.25, win: 1.2, ring: 1, lose: 0.6 };
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

// A press with the mouse, or on a touch screen a tap.
const press = (page, target) => page.touch ? target.tap() : target.click();

const steps = {
    keys: async (page, words) => {
        for (const key of words)
            await page.keyboard.press(key.split('+').map(part => KeyNames[part] ?? part).join('+'));
    },
    press: async (page, [tower]) => {
        const shown = await page.locator('canvas.board').boundingBox();
        const at = [shown.x + (157 + 314 * (tower - 1)) * shown.width / 1002, shown.y + 250 * shown.height / 628];
        await (page.touch ? page.touchscreen.tap(...at) : page.mouse.click(...at));
    },
    type: async (page, [name, text]) => {
        const box = page.getByLabel(name, { exact: true });
        await press(page, box);
        await box.fill(text);
    },
    click: async (page, buttons) => {
        for (const name of buttons) {
            // "Time Up" changes the box named "Time".
            const box = `.panel input[aria-label="${name.split(' ')[0]}"]`;
            const before = await page.evaluate(box => document.querySelector(box)?.value, box);
            await press(page, page.getByRole('button', { name, exact: true }));
            if (name !== 'Ok')
                await page.waitForFunction(([box, before]) => document.querySelector(box).value !== before, [box, before]);
        }
    },
    cursor: (page, [tower]) => page.waitForFunction(tower => spriteOver(tower, 83), Number(tower)),
    hand: (page, [tower]) => page.waitForFunction(tower => spriteOver(tower, 81), Number(tower)),
    towers: (page, counts) => page.waitForFunction(counts => towers() === counts, counts.join(' ')),
    solve: async (page, [disks]) => {
        for (const [from, to] of shortestSolution(Number(disks), 1, 3))
            for (const tower of [from, to])
                await steps.press(page, [tower]);
    },
    box: async (page, [title, prompt, seconds = 0], since) => {
        const box = page.locator('dialog.box');
        await box.waitFor({ timeout: 20000 });
        assert.ok(Date.now() - since > 1000 * seconds, `the box came after ${Date.now() - since} ms`);
        assert.equal(await box.locator('.title').innerText(), title);
        assert.equal((await box.locator('.prompt').innerText()).trimEnd(), prompt);  // the win's ends in a blank
    },
    answer: async page => {
        await (page.touch ? page.locator('dialog.box button').tap() : page.keyboard.press('Enter'));
        await page.locator('dialog.box').waitFor({ state: 'detached' });
    },
    readout: async (page, [how]) => how === 'stands' ? staysStill(page, '.readout')
        : page.waitForFunction(shown => document.querySelector('.readout').innerText !== shown,
                               await page.locator('.readout').innerText(), { timeout: 3000 }),
    // Then nothing more for half a second; a cue ending in ~ was the last stopped.
    heard: async (page, words) => {
        await page.waitForFunction(words => heardAs(words), words);
        await page.waitForTimeout(500);
        assert.ok(await page.evaluate(words => heardAs(words), words), 'a sound more was heard');
        assert.ok(await page.evaluate(words => !lastCut(words) || window.cut.at(-1) === lastCut(words), words),
                  'the cue marked ~ was not the last cut short');
    },
    words: (page, words) => page.waitForFunction(text =>
        document.querySelector('[role=status]').textContent.endsWith(text), words.join(' ')),
};

// Plays the steps in turn, each told when the one before ended.
export async function playScenario(page, scenario) {
    await page.evaluate(probes);
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
