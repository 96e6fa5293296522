// Lighthouse's mobile audit of the page as served (its default: a phone on a
// slow network, simulated), in Debian's headless Chromium: the four scores,
// and each audit that did not pass whole. The web server is Python's, as the
// README serves the site: what it does not do (compress, set how long a file
// may be kept) is the server's, not the page's.
// Build first (scripts/build-web) and install Lighthouse (npm ci in bench).
import { execFile } from 'node:child_process';
import { promisify } from 'node:util';
import { serve } from '../tests/web/harness.mjs';

const served = await serve();
try {
    const { stdout } = await promisify(execFile)(new URL('node_modules/.bin/lighthouse', import.meta.url).pathname,
        [served.address, '--quiet', '--output=json', '--chrome-flags=--headless --no-sandbox --disable-gpu'],
        { env: { ...process.env, CHROME_PATH: process.env.VELMORA_CHROMIUM ?? '/usr/lib/chromium/chromium-headless-shell' },
          maxBuffer: 64 << 20 });
    const report = JSON.parse(stdout);
    console.log('Lighthouse, mobile: ' + Object.values(report.categories)
        .map(category => `${category.title} ${Math.round(category.score * 100)}`).join(', '));
    for (const audit of Object.values(report.audits))
        if (audit.score !== null && audit.score < 1 && !['informative', 'notApplicable'].includes(audit.scoreDisplayMode))
            console.log(`  ${audit.id}: ${audit.score} ${audit.displayValue ?? ''}`);
} finally {
    served.server.kill();
}
