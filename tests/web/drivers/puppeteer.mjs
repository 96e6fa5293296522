// Blink and Gecko, both driven by puppeteer-core: Debian's headless Chromium
// shell over the DevTools protocol, and Debian's Firefox ESR over WebDriver
// BiDi, which it speaks itself. Each page in a browsing context of its own, as
// a new visitor. Chromium also plays a phone (touch, a coarse pointer, a
// device's density) and taps.
import puppeteer from 'puppeteer-core';

const Browsers = {
    // Without its sandbox, which refuses to run as root (as a CI machine runs).
    chromium: { browser: 'chrome', args: ['--no-sandbox'],
                executablePath: process.env.VELMORA_CHROMIUM ?? '/usr/lib/chromium/chromium-headless-shell' },
    firefox: { browser: 'firefox', executablePath: process.env.VELMORA_FIREFOX ?? '/usr/bin/firefox-esr' },
};

// Puppeteer's names for the keys whose names differ from the page's.
const Names = { Space: ' ', Quote: '\'' };

// Headless unless asked: a headless Firefox shows a screen reader nothing.
export async function launch(engine, { headless = true } = {}) {
    const browser = await puppeteer.launch({ ...Browsers[engine], headless, ignoreDefaultArgs: ['--mute-audio'] });
    return {
        async open({ width, height, density, touch = false }) {
            const context = await browser.createBrowserContext();
            const page = await context.newPage();
            const view = { deviceScaleFactor: density, isMobile: touch, hasTouch: touch };
            await page.setViewport({ width, height, ...view });
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
                    if (action === 'tap')
                        return page.touchscreen.tap(x, y);
                    await page.mouse.move(x, y);
                    await (action === 'click' ? page.mouse.click(x, y) : action === 'down' ? page.mouse.down() : page.mouse.up());
                },
                screenshot: async () => Buffer.from(await page.screenshot()),
                resize: (width, height) => page.setViewport({ width, height, ...view }),
                close: () => context.close(),
            };
        },
        close: () => browser.close(),
    };
}
