// Gecko: Debian's Firefox ESR, headless, which speaks WebDriver BiDi itself;
// driven by puppeteer-core without geckodriver. Each page in a browsing
// context of its own, as a new visitor.
import puppeteer from 'puppeteer-core';

export const canTouch = false;

// Puppeteer's names for the keys whose names differ from the page's.
const Names = { Space: ' ', Quote: '\'' };

// Headless unless asked: a headless Firefox shows a screen reader nothing.
export async function launch({ headless = true } = {}) {
    const browser = await puppeteer.launch({
        browser: 'firefox', headless, executablePath: process.env.VELMORA_FIREFOX ?? '/usr/bin/firefox-esr',
    });
    return {
        async open({ width, height, density }) {
            const context = await browser.createBrowserContext();
            const page = await context.newPage();
            await page.setViewport({ width, height, deviceScaleFactor: density });
            return {
                goto: address => page.goto(address),
                evaluate: (script, argument) => page.evaluate(script, argument),
                async key(name) {
                    const parts = name.split('+').map(part => Names[part] ?? part);
                    const key = parts.pop();
                    for (const modifier of parts)
                        await page.keyboard.down(modifier);
                    await page.keyboard.press(key);
                    for (const modifier of parts.reverse())
                        await page.keyboard.up(modifier);
                },
                type: text => page.keyboard.type(text),
                async pointer(action, x, y) {
                    await page.mouse.move(x, y);
                    await (action === 'click' ? page.mouse.click(x, y) : action === 'down' ? page.mouse.down() : page.mouse.up());
                },
                screenshot: async () => Buffer.from(await page.screenshot()),
                resize: (width, height) => page.setViewport({ width, height, deviceScaleFactor: density }),
                close: () => context.close(),
            };
        },
        close: () => browser.close(),
    };
}
