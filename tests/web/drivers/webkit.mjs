// WebKit, Safari's engine: Debian's WebKitGTK MiniBrowser through its own
// WebKitWebDriver (W3C WebDriver), driven by selenium-webdriver. MiniBrowser
// needs a display (run under Xvfb, wide enough for 2100 x 1400 pages); its
// density is the display's, 1. Each page is a session of its own: a new
// browser with nothing kept.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';
import { Builder, Capabilities, Key, Origin } from 'selenium-webdriver';

const Names = { Control: Key.CONTROL, Alt: Key.ALT, Shift: Key.SHIFT, Space: ' ', Quote: '\'', Enter: Key.ENTER,
                Escape: Key.ESCAPE, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT, ArrowUp: Key.ARROW_UP,
                ArrowDown: Key.ARROW_DOWN, F1: Key.F1, F2: Key.F2, F3: Key.F3, F4: Key.F4 };

const freePort = () => new Promise(resolve => {
    const server = createServer().listen(0, '127.0.0.1', () => {
        const { port } = server.address();
        server.close(() => resolve(port));
    });
});

export async function launch() {
    const port = await freePort();
    const server = spawn(process.env.VELMORA_WEBKIT_DRIVER ?? 'WebKitWebDriver', [`--port=${port}`],
                         { stdio: 'ignore' });
    const capabilities = new Capabilities({ browserName: 'MiniBrowser', 'webkitgtk:browserOptions': {
        binary: process.env.VELMORA_MINIBROWSER ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
        args: ['--automation'] } });
    // The driver answers once it listens.
    const session = async () => {
        for (let tries = 0; ; ++tries) {
            try {
                return await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities(capabilities).build();
            } catch (error) {
                if (tries > 100 || !/ECONNREFUSED/.test(error.message))
                    throw error;
                await new Promise(resolve => setTimeout(resolve, 100));
            }
        }
    };
    return {
        async open({ width, height }) {
            const driver = await session();
            // The window is the page's size and the browser's own bar.
            const resize = async (width, height) => {
                const [innerWidth, innerHeight] = await driver.executeScript('return [innerWidth, innerHeight]');
                const { width: outerWidth, height: outerHeight } = await driver.manage().window().getRect();
                await driver.manage().window().setRect({ x: 0, y: 0, width: width + outerWidth - innerWidth,
                                                         height: height + outerHeight - innerHeight });
            };
            await resize(width, height);
            const keys = name => {
                const parts = name.split('+').map(part => Names[part] ?? part);
                const key = parts.pop();
                let actions = driver.actions();
                for (const modifier of parts)
                    actions = actions.keyDown(modifier);
                actions = actions.sendKeys(key);
                for (const modifier of parts.reverse())
                    actions = actions.keyUp(modifier);
                return actions.perform();
            };
            return {
                goto: address => driver.get(address),
                evaluate: (script, argument) => driver.executeScript(
                    `return (${script}).apply(null, arguments)`, argument ?? null),
                key: keys,
                type: text => driver.actions().sendKeys(text).perform(),
                pointer(action, x, y) {
                    const moved = driver.actions().move({ origin: Origin.VIEWPORT, x: Math.round(x), y: Math.round(y) });
                    return (action === 'click' ? moved.press().release() : action === 'down' ? moved.press() : moved.release())
                        .perform();
                },
                screenshot: async () => Buffer.from(await driver.takeScreenshot(), 'base64'),
                resize,
                close: () => driver.quit(),
            };
        },
        close: async () => { server.kill(); },
    };
}
