// Opens a preview page in headless Chromium and checks that the box fades
// through the given captions in order.
// Usage: node preview_fades.mjs <page URL> <screenshot path> <caption>...
// playwright-core comes from the browser tests' folder (LUMEROLL_BROWSER_TESTS).

import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';

const [url, screenshot, ...captions] = process.argv.slice(2);
const require = createRequire(path.join(process.env.LUMEROLL_BROWSER_TESTS ?? '.', 'package.json'));
const { chromium } = require('playwright-core');

const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run'];

function check(ok, message) {
  if (!ok) throw new Error(message);
}

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lumeroll-preview-'));
let context;
try {
  context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.LUMEROLL_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: FLAGS,
    viewport: { width: 640, height: 400 },
  });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.emulateMedia({ reducedMotion: 'no-preference' });
  // Every change of the shown item, with the opacity transitions the change
  // started on the incoming item (their lengths in ms): a fade in has one.
  // Asking the item for its animations right at the change does not depend
  // on how busy the machine is.
  await page.addInitScript(() => {
    window.__shown = [];
    new MutationObserver((records) => {
      for (const r of records) {
        const item = r.target;
        if (!item.classList?.contains('lumeroll-item') || item.hasAttribute('aria-hidden')) continue;
        const fades = item.getAnimations().filter((a) => a.transitionProperty === 'opacity')
          .map((a) => a.effect.getComputedTiming().duration);
        window.__shown.push({ text: item.textContent.trim(), fades });
      }
    }).observe(document, { subtree: true, attributes: true, attributeFilter: ['aria-hidden'] });
  });
  await page.goto(url);
  await page.waitForSelector('.lumeroll-box');
  const items = await page.$$eval('.lumeroll-item', (all) => all.map((i) => i.textContent.trim()));
  check(items.length === captions.length, `items ${JSON.stringify(items)}`);
  captions.forEach((c, i) => check(items[i].startsWith(c), `item ${i} is ${JSON.stringify(items[i])}, not ${c}`));

  // A full round and back to the second: captions 1, 2, ..., 0, 1.
  const round = captions.length + 1;
  await page.waitForFunction((n) => window.__shown.length >= n, round, { timeout: 15000 });
  const shown = await page.evaluate(() => window.__shown.map((s) => ({ ...s })));
  const order = shown.slice(0, round).map((s) => captions.findIndex((c) => s.text.startsWith(c)));
  const expected = Array.from({ length: round }, (_, i) => (i + 1) % captions.length);
  check(JSON.stringify(order) === JSON.stringify(expected), `shown in the order ${JSON.stringify(order)}`);
  check(shown.slice(0, round).every((s) => s.fades.length === 1 && s.fades[0] > 0),
    `not every change fades: ${JSON.stringify(shown)}`);
  check(errors.length === 0, `console errors: ${errors.join('; ')}`);
  await page.screenshot({ path: screenshot });
  console.log(`shown in order ${JSON.stringify(order)}; screenshot ${screenshot}`);
} catch (e) {
  console.error(String(e?.stack ?? e));
  process.exitCode = 1;
} finally {
  await context?.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
