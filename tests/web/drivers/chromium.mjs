// Blink: Debian's headless Chromium shell, driven by playwright-core. The one
// engine here whose driver also plays a phone (touch, a coarse pointer, a
// device's density) and taps.
import { chromium } from 'playwright-core';

export const canTouch = true;

export async function launch() {
    const browser = await chromium.launch({
        executablePath: process.env.VELMORA_CHROMIUM ?? '/usr/lib/chromium/chromium-headless-shell',
        ignoreDefaultArgs: ['--mute-audio'],
    });
    return {
        async open({ width, height, density, touch }) {
            const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: density,
                                                       isMobile: touch, hasTouch: touch });
            const page = await context.newPage();
            return {
                goto: address => page.goto(address),
                evaluate: (script, argument) => page.evaluate(script, argument),
                key: name => page.keyboard.press(name),
                type: text => page.keyboard.type(text),
                async pointer(action, x, y) {
                    if (action === 'tap')
                        return page.touchscreen.tap(x, y);
                    await page.mouse.move(x, y);
                    await (action === 'click' ? page.mouse.click(x, y) : action === 'down' ? page.mouse.down() : page.mouse.up());
                },
                screenshot: () => page.screenshot(),
                resize: (width, height) => page.setViewportSize({ width, height }),
                close: () => context.close(),
            };
        },
        close: () => browser.close(),
    };
}
