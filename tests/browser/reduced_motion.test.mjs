// The published news box for a visitor who asked for reduced motion: it
// starts still on the first item and rotates, without fades, only after Play.
// Its own file because Firefox takes the preference for the whole browser.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, describe, test } from 'node:test';

import { ENGINES, count, finish, launch, moreSwitches, open, shown, switches, wait } from './engines.mjs';
import { cli, outRoot, publish } from './project.mjs';

const DELAY = 500;
const items = [{ caption: 'First' }, { caption: 'Second' }, { caption: 'Third' }];

before(() => {
  assert.ok(cli && outRoot, 'LUMEROLL_CLI and LUMEROLL_BROWSER_OUT must be set');
  fs.mkdirSync(outRoot, { recursive: true });
});

for (const engine of ENGINES) {
  describe(engine, () => {
    let run;
    before(async () => { run = await launch(engine, { firefoxPrefs: { 'ui.prefersReducedMotion': 1 } }); });
    after(async () => { await run?.close(); });

    test('the box starts still on item 1 and plays without fades after Play', async () => {
      const page = await open(run, publish(`${engine}/reduced`, { pDelay: String(DELAY) }, items).url,
        { reducedMotion: 'reduce' });
      assert.equal(await page.evaluate(() => matchMedia('(prefers-reduced-motion: reduce)').matches), true);
      await wait(3 * DELAY);
      assert.equal(await count(page), 0, 'no change by itself');
      assert.equal(await shown(page), 0);
      assert.equal(await page.$eval('.lumeroll-pause', (b) => b.textContent), 'Play');
      assert.equal(await page.$eval('.lumeroll-items', (l) => l.getAttribute('aria-live')), 'polite');

      await page.focus('.lumeroll-pause');
      await page.keyboard.press('Enter');
      await moreSwitches(page, 1, 3 * DELAY + 2000);
      const log = await switches(page);
      assert.deepEqual(log.slice(0, 2).map((s) => s.index), [1, 2]);
      for (const s of log) assert.ok(s.fades.every((ms) => ms === 0), `no fade: ${JSON.stringify(s)}`);
      assert.ok(log[1].t - log[0].t < DELAY + 200, 'no fade time between changes');

      // Next still moves at once, without a fade.
      await page.keyboard.press('Tab');
      const n = await count(page);
      await page.keyboard.press('Enter');
      await moreSwitches(page, n, 2000);
      assert.ok((await switches(page))[n].fades.every((ms) => ms === 0));
      await finish(page);
    });
  });
}
