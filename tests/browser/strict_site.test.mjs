// The published news box where real sites put it: behind a strict
// Content-Security-Policy (as a header and as a meta tag) and Trusted Types,
// on a 320-pixel screen, under the WCAG text-spacing override, with long
// words and late fonts, with the focus in it, with empty titles and in the
// page's head.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { ENGINES, axeViolations, count, countTimers, finish, launch, moreSwitches, open, shown, wait } from './engines.mjs';
import { cli, outRoot, publish, publishTemplate, snippet } from './project.mjs';
import { POLICIES, serve } from './server.mjs';

const DELAY = 500;
const PERIOD = DELAY + Math.min(600, DELAY / 2);
const threeItems = [
  { caption: 'First', content: 'one<br />', link: 'target.html' },
  { caption: 'Second', content: 'two<br />', link: 'target.html' },
  { caption: 'Third', content: 'three<br />', link: 'target.html' },
];
const styled = { pTitleColor: 'CC0000', pTitleFontFamily: 'Georgia,serif', pTitleSize: '17', pTitleAlign: '1',
  pContentColor: '0000CC', pContentSize: '13', pContentPadding: '6', pContentItalic: '1' };

// Where the box, its items and its controls are and how they look.
const look = (page) => page.evaluate(() => {
  const box = document.querySelector('.lumeroll-box');
  const rect = (e) => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom].map(Math.round); };
  const style = (e, names) => names.map((n) => getComputedStyle(e)[n]);
  const item = box.querySelector('.lumeroll-item');
  return {
    box: rect(box), items: [...box.querySelectorAll('.lumeroll-item')].map(rect),
    buttons: [...box.querySelectorAll('button')].map(rect),
    boxStyle: style(box, ['borderTopWidth', 'borderTopStyle', 'backgroundColor', 'overflowY', 'position', 'cursor']),
    title: style(item.querySelector('a'), ['color', 'fontFamily', 'fontSize', 'fontWeight', 'textAlign']),
    content: style(item.lastElementChild, ['color', 'fontSize', 'fontStyle', 'paddingTop', 'marginTop']),
    visible: [...box.querySelectorAll('.lumeroll-item')].map((i) => getComputedStyle(i).visibility === 'visible'
      && getComputedStyle(i).opacity === '1'),
  };
});

// Every item's text and boxes lie inside the box's border (all items share
// one place, so the hidden ones count as well).
const textOutside = (page) => page.evaluate(() => {
  const box = document.querySelector('.lumeroll-box');
  const b = box.getBoundingClientRect();
  const out = [];
  for (const item of box.querySelectorAll('.lumeroll-item')) {
    const range = document.createRange();
    range.selectNodeContents(item);
    const rects = [...range.getClientRects()].filter((r) => r.width && r.height);
    if (!rects.length) out.push(`${item.getAttribute('aria-label')}: nothing drawn`);
    for (const r of rects) {
      if (r.left < b.left - 0.5 || r.right > b.right + 0.5 || r.top < b.top - 0.5 || r.bottom > b.bottom + 0.5) {
        out.push(`${item.getAttribute('aria-label')}: ${[r.left, r.top, r.right, r.bottom].map(Math.round)} ` +
          `outside ${[b.left, b.top, b.right, b.bottom].map(Math.round)}`);
      }
    }
  }
  return out;
});

const inside = (r, box) => r[0] >= box[0] && r[1] >= box[1] && r[2] <= box[2] && r[3] <= box[3];

before(() => {
  assert.ok(cli && outRoot, 'LUMEROLL_CLI and LUMEROLL_BROWSER_OUT must be set');
  fs.mkdirSync(outRoot, { recursive: true });
});

for (const engine of ENGINES) {
  describe(engine, () => {
    let run, server;
    const out = (name) => `${engine}/${name}`;
    before(async () => {
      run = await launch(engine);
      server = await serve(outRoot);
    });
    after(async () => {
      await server?.close();
      await run?.close();
    });

    test('under a strict policy, as a header or a meta tag, the box looks and runs as without one', async () => {
      const { folder } = publish(out('csp'), { ...styled, pDelay: String(DELAY) }, threeItems);
      const body = `<body><h1>Before</h1>\r\n${snippet(folder, '')}\r\n<p>After</p></body></html>`;
      fs.writeFileSync(path.join(folder, 'host.html'), `<html><head><title>t</title></head>${body}`);
      fs.writeFileSync(path.join(folder, 'host-meta.html'), '<html><head><title>t</title><meta ' +
        `http-equiv="Content-Security-Policy" content="${POLICIES.strict}"></head>${body}`);
      const host = server.url(path.join(folder, 'host.html'));
      const cases = [['no policy', host], ['header', `${host}?csp=strict`],
        ['meta tag', server.url(path.join(folder, 'host-meta.html'))]];
      let plain;
      for (const [name, url] of cases) {
        const page = await open(run, url);
        // The pointer holds the box still; a fade under way ends first.
        await page.hover('.lumeroll-box');
        await page.waitForFunction(() => [...document.querySelectorAll('.lumeroll-item')].map((i) =>
          `${getComputedStyle(i).visibility} ${getComputedStyle(i).opacity}`).sort().join() ===
          'hidden 0,hidden 0,visible 1');
        const { visible, ...seen } = await look(page);
        plain ??= seen;
        assert.deepEqual(seen, plain, `${name}: as without a policy`);
        assert.deepEqual(seen.title.slice(0, 2), ['rgb(204, 0, 0)', 'Georgia, serif'], name);
        assert.equal(visible.filter(Boolean).length, 1, `${name}: one item shows`);
        for (const r of [...seen.items, ...seen.buttons]) assert.ok(inside(r, seen.box), `${name}: ${r} in ${seen.box}`);
        await page.mouse.move(700, 500);
        await moreSwitches(page, await count(page), PERIOD + 2000);
        await finish(page);
      }
      assert.deepEqual(plain.content, ['rgb(0, 0, 204)', '13px', 'italic', '6px', '13px']);
    });

    test('with Trusted Types required, the box builds its items through its own policy', async () => {
      const a = publish(out('trusted/a'), { pDelay: String(DELAY) }, threeItems);
      const b = publish(out('trusted/b'), { pDelay: String(DELAY) }, [{ caption: 'B one' }, { caption: 'B two' }]);
      const host = path.join(outRoot, engine, 'trusted', 'host.html');
      // Two copies of the runtime on one page share the one policy allowed.
      fs.writeFileSync(host, `<html><body>\r\n${snippet(a.folder, 'a/')}\r\n${snippet(b.folder, 'b/')}\r\n</body></html>`);
      const page = await open(run, `${server.url(host)}?csp=trusted`);
      const state = await page.evaluate(() => ({
        types: typeof window.trustedTypes, policy: window.awkmanbSPM.policy?.name,
        titles: [...document.querySelectorAll('.lumeroll-item a')].map((x) => x.textContent),
      }));
      assert.deepEqual(state, { types: 'object', policy: 'lumeroll', titles: ['First', 'Second', 'Third', 'B one', 'B two'] });
      await moreSwitches(page, 0, PERIOD + 2000);
      assert.deepEqual(page.errors, [], 'the console shows no error');
      // The page really refuses markup that bypasses a policy.
      const refused = await page.evaluate(() => {
        try { document.createElement('div').innerHTML = '<b>x</b>'; return false; } catch { return true; }
      });
      assert.equal(refused, true);
      await page.close();
    });

    test('the Wide Banner grows to hold its text on a 320-pixel screen and shrinks back when wide', async () => {
      const page = await open(run, publishTemplate(out('wide'), 'Wide Banner').url, { viewport: { width: 320, height: 480 } });
      const height = () => page.$eval('.lumeroll-box', (b) => b.getBoundingClientRect().height);
      const narrow = await height();
      assert.deepEqual(await textOutside(page), []);
      assert.ok(narrow > 90 + 2 * 10, `grown to ${narrow}`);
      await page.setViewport({ width: 1024, height: 480 });
      await page.waitForFunction(() => document.documentElement.clientWidth === 1024);
      assert.deepEqual(await textOutside(page), []);
      assert.ok(await height() < narrow, 'wide, it needs less');
      assert.ok(await height() >= 90 + 2 * 10, 'never below the configured height');
      await finish(page);
    });

    test('text-spacing override, long words and tall items stay inside the box; rotation moves nothing', async () => {
      const list = await open(run, publishTemplate(out('spacing'), 'Plain News List').url);
      assert.deepEqual(await textOutside(list), []);
      const before = await list.$eval('.lumeroll-box', (b) => b.getBoundingClientRect().height);
      await list.addStyleTag({ content: '* { line-height: 1.5 !important; letter-spacing: 0.12em !important; ' +
        'word-spacing: 0.16em !important; } p { margin-bottom: 2em !important; }' });
      await list.waitForFunction((h) => document.querySelector('.lumeroll-box').getBoundingClientRect().height > h, {}, before);
      assert.deepEqual(await textOutside(list), [], 'with the text-spacing override');
      await finish(list);

      const word = 'Unbreakable'.repeat(19).slice(0, 204);
      const page = await open(run, publish(out('long-word'), { pDelay: String(DELAY) }, [
        { caption: word, content: `${word}<br />` }, { caption: 'Short', content: 'tall<br />'.repeat(12) }]).url);
      assert.deepEqual(await textOutside(page), []);
      const box = () => page.$eval('.lumeroll-box', (b) => { const r = b.getBoundingClientRect(); return [r.width, r.height]; });
      const first = await box();
      assert.equal(first[0], 252, 'the width stays');
      await moreSwitches(page, 0, PERIOD + 2000);
      assert.deepEqual(await box(), first, 'the change moved nothing');
      await finish(page);
    });

    // A web font that arrives after the box stands makes the titles three
    // times as large; the box grows with them.
    const FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf';
    test('a font loaded late grows the box to hold the text', { skip: !fs.existsSync(FONT) && 'no DejaVu font' }, async () => {
      const page = await open(run, publish(out('font'), { pDelay: '5000', pTitleFontFamily: 'LumerollLate,serif' },
        [{ caption: 'A headline of a few words', content: 'text<br />' }, { caption: 'Short' }]).url);
      const height = () => page.$eval('.lumeroll-box', (b) => b.getBoundingClientRect().height);
      const before = await height();
      await page.evaluate(async (base64) => {
        const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
        document.fonts.add(await new FontFace('LumerollLate', bytes.buffer, { sizeAdjust: '300%' }).load());
      }, fs.readFileSync(FONT).toString('base64'));
      await page.waitForFunction((h) => document.querySelector('.lumeroll-box').getBoundingClientRect().height > h + 20,
        { timeout: 5000 }, before);
      assert.deepEqual(await textOutside(page), []);
      await finish(page);
    });

    test('automatic changes never move the focus; focus in an item keeps it shown', async () => {
      const page = await open(run, publish(out('focus'), { pDelay: String(DELAY) }, threeItems).url);
      const focus = () => page.evaluate(() => {
        const a = document.activeElement;
        const item = a.closest('.lumeroll-item');
        return { text: a.textContent, item: item ? [...item.parentNode.children].indexOf(item) : -1,
          shown: item ? !item.hasAttribute('aria-hidden') : null };
      });
      const still = async (what) => {
        const before = [await count(page), await focus(), await shown(page)];
        await wait(2 * PERIOD);
        assert.deepEqual([await count(page), await focus(), await shown(page)], before, what);
        return before[1];
      };
      // Resting, the first Tab lands on the shown link.
      await page.keyboard.press('Tab');
      assert.equal((await still('focus on the link, box at rest')).shown, true);

      // Pause, then Play: the box plays and the focus stays on the control.
      await page.focus('.lumeroll-pause');
      await page.keyboard.press('Enter');
      await page.keyboard.press('Enter');
      const n = await count(page);
      await moreSwitches(page, n + 1, 3 * PERIOD + 2000);
      assert.equal((await focus()).text, 'Pause', 'the focus stays on Pause while the box plays');

      // Back onto the shown link: it stays shown and focused while playing.
      await page.keyboard.down('Shift');
      await page.keyboard.press('Tab');
      await page.keyboard.press('Tab');
      await page.keyboard.up('Shift');
      const held = await still('focus in an item while playing');
      assert.equal(held.shown, true);
      assert.equal(held.text, threeItems[held.item].caption);

      // Onto a control again, it plays on, leaving the focus there.
      await page.keyboard.press('Tab');
      const m = await count(page);
      await moreSwitches(page, m, 2 * PERIOD + 2000);
      assert.equal((await focus()).text, '\u2039');
      await finish(page);
    });

    test('an item without a title has no link but shows its content', async () => {
      const page = await open(run, publish(out('no-title'), { pDelay: '5000' },
        [{ caption: '', link: 'x.html', content: 'Only content<br />' }, { caption: 'Titled', link: 'y.html' }]).url);
      const first = await page.$eval('.lumeroll-item', (i) => ({
        links: i.querySelectorAll('a').length, text: i.textContent, label: i.getAttribute('aria-label'),
        height: i.getBoundingClientRect().height, visible: getComputedStyle(i).visibility }));
      assert.deepEqual({ ...first, height: first.height > 10 },
        { links: 0, text: 'Only content', label: 'News item 1 of 2', height: true, visible: 'visible' });
      await page.keyboard.press('Tab');
      assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), 'Previous news',
        'Tab finds no empty link');
      assert.deepEqual(await axeViolations(page), []);
      await finish(page);
    });

    test('a snippet in the head builds no box and says where it belongs', async () => {
      const { folder } = publish(out('head'), { pDelay: String(DELAY) }, threeItems);
      fs.writeFileSync(path.join(folder, 'host.html'),
        `<html><head><title>t</title>\r\n${snippet(folder, '')}\r\n</head><body><p>Body</p></body></html>`);
      const page = await open(run, 'file://' + path.join(folder, 'host.html'), { waitForBox: false, init: countTimers });
      await page.waitForFunction(() => document.readyState === 'complete');
      await wait(DELAY);
      assert.equal(await page.evaluate(() => document.querySelectorAll('.lumeroll-box').length), 0);
      assert.equal(await page.evaluate(() => window.__timers), 0, 'no timer runs');
      assert.equal(page.errors.length, 1, page.errors.join('\n'));
      assert.match(page.errors[0], /place the snippet in <body>/);
      await page.close();
    });
  });
}
