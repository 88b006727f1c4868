// Main-thread time one change of the shown item costs in headless Chromium,
// for a box of 5 and of 1,000 items, for one or more runtime scripts (a file
// each, e.g. today's and one taken from git history), all measured in the
// same run.
//
//   git show REV:resources/orvantalumeroll.js > /tmp/old.js
//   node bench/runtime_change.mjs resources/orvantalumeroll.js /tmp/old.js
//
// Method: CDP Performance.getMetrics gives TaskDuration, the main thread's
// busy time. For each sample the box is moved one item by calling the
// runtime's own advance step, and the metric is read before the call and
// once the fade is over (FADE_WINDOW ms later), so the style, layout and
// paint work of the whole change is inside. The same window without a change
// is measured alternately and its median subtracted. The delay is so long
// that the box never moves by itself. puppeteer-core comes from the browser
// tests' folder (run `npm ci` there first).

import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';

const require = createRequire(new URL('../tests/browser/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const SAMPLES = 15;
const FADE_WINDOW = 800;
const scripts = process.argv.slice(2);
if (!scripts.length) {
  console.error('usage: node bench/runtime_change.mjs RUNTIME.js [OTHER_RUNTIME.js ...]');
  process.exit(2);
}

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'lumeroll-bench-'));
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

function writePage(runtime, count) {
  const name = `${path.basename(runtime, '.js')}-${count}`;
  fs.copyFileSync(runtime, path.join(work, `${name}.js`));
  const style = 'font-family:Arial;font-size:14px;font-weight:normal;font-style:normal;padding:2px;color:#000000;';
  const lines = ['jslumeroll1=new awkmanbSPM();'];
  for (let i = 0; i < count; i++) {
    lines.push(`jslumeroll1.awkmaNBSPm('<p align="left" style="padding:2px;"><a style="${style}" href="n${i}.html">` +
      `Headline ${i}</a></p><p align="left" style="${style}">Some content for item ${i}<br />more<br /></p>');`);
  }
  lines.push('jslumeroll1.awkmbnbspm(100000,240,120,1,"solid","#000000",5,"#FFFFFF",1000,"pointer");');
  fs.writeFileSync(path.join(work, `${name}-cfg.js`), lines.join('\r\n'));
  fs.writeFileSync(path.join(work, `${name}.html`), `<html><body><p>Page</p>\r\n<script src="${name}.js"></script>\r\n` +
    `<script src="${name}-cfg.js"></script>\r\n</body></html>`);
  return 'file://' + path.join(work, `${name}.html`);
}

const browser = await puppeteer.launch({
  browser: 'chrome',
  executablePath: process.env.LUMEROLL_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  userDataDir: path.join(work, 'profile'),
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
try {
  for (const count of [5, 1000]) {
    for (const runtime of scripts) {
      const page = await browser.newPage();
      const cdp = await page.createCDPSession();
      await cdp.send('Performance.enable');
      await page.goto(writePage(runtime, count));
      await page.waitForSelector('.lumeroll-box');
      const busy = async () => (await cdp.send('Performance.getMetrics')).metrics
        .find((m) => m.name === 'TaskDuration').value * 1000;
      // The runtime's step to the next item: advance() in the older script,
      // go() in the newer one.
      const change = () => page.evaluate(() => {
        const box = window.jslumeroll1;
        if (box.go) box.go(box.shown + 1); else box.advance();
      });
      const idle = () => page.evaluate(() => 0);
      const window = async (act) => {
        const before = await busy();
        await act();
        await new Promise((r) => setTimeout(r, FADE_WINDOW));
        return (await busy()) - before;
      };
      await window(change);  // warm up
      const changes = [], idles = [];
      for (let i = 0; i < SAMPLES; i++) {
        changes.push(await window(change));
        idles.push(await window(idle));
      }
      const perChange = median(changes) - median(idles);
      console.log(`${path.basename(runtime)}\t${count} items\t${perChange.toFixed(2)} ms per change` +
        `\t(window ${median(changes).toFixed(2)} ms, idle ${median(idles).toFixed(2)} ms)`);
      await page.close();
    }
  }
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}
