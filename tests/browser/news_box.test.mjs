// The published news box in Chromium and Firefox: placement and geometry, the
// order and timing of items, the ways to pause, play and move it, narrow
// screens, long content, names for assistive technology, awkward text, two
// boxes on one page, the preview's hooks, and a clean console.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { ENGINES, axeViolations, count, countTimers, finish, launch, moreSwitches, open, shown, switches, wait } from './engines.mjs';
import { cli, outRoot, projectText, publish, snippet } from './project.mjs';

const DELAY = 500;  // the shortest the box allows
const FADE = Math.min(600, DELAY / 2);
const PERIOD = DELAY + FADE;  // hold, then cross-fade

const threeItems = [
  { caption: 'First', content: 'one<br />', link: 'target.html' },
  { caption: 'Second', content: 'two<br />', link: 'target.html' },
  { caption: 'Third', content: 'three<br />', link: 'target.html' },
];

before(() => {
  assert.ok(cli && outRoot, 'LUMEROLL_CLI and LUMEROLL_BROWSER_OUT must be set');
  fs.mkdirSync(outRoot, { recursive: true });
});

const opacityOf = (page, selector) => page.$eval(selector, (b) => getComputedStyle(b).opacity);

for (const engine of ENGINES) {
  describe(engine, () => {
    let run;
    const out = (name) => `${engine}/${name}`;
    before(async () => { run = await launch(engine); });
    after(async () => { await run?.close(); });

    test('the box stands where the snippet stands, at its configured size and style', async () => {
      const { folder } = publish(out('geometry'), { pDelay: String(DELAY), pBorderWidth: '3', pPadding: '7',
        pBackgroundColor: 'FFEECC', pBorderColor: '112233', pZIndex: '5', pCursor: '4' },
      [...threeItems.slice(0, 2), { caption: 'Long', content: 'a lot of text<br />'.repeat(40) }]);
      fs.writeFileSync(path.join(folder, 'host.html'),
        `<html><body><h1 id="before">Before</h1>\r\n${snippet(folder, '')}\r\n<p id="after">After</p></body></html>`);
      const page = await open(run, 'file://' + path.join(folder, 'host.html'));
      const look = () => page.evaluate(() => {
        const box = document.querySelector('.lumeroll-box');
        const r = box.getBoundingClientRect();
        const s = getComputedStyle(box);
        return {
          x: r.x, top: r.top, width: r.width, height: r.height,
          beforeBottom: document.getElementById('before').getBoundingClientRect().bottom,
          afterTop: document.getElementById('after').getBoundingClientRect().top,
          previous: box.previousElementSibling.getAttribute('src'),
          border: [s.borderTopWidth, s.borderTopStyle, s.borderTopColor], padding: s.paddingTop,
          background: s.backgroundColor, zIndex: s.zIndex, cursor: s.cursor, overflow: s.overflowY,
          tallest: Math.max(...[...box.querySelectorAll('.lumeroll-item')].map((i) => i.getBoundingClientRect().height)),
        };
      });
      const first = await look();
      assert.equal(first.previous, 'orvantalumeroll_news1_cfg.js');
      assert.ok(first.top >= first.beforeBottom && first.afterTop >= first.top + first.height, JSON.stringify(first));
      assert.equal(first.width, 240 + 2 * (7 + 3));
      assert.ok(first.tallest > 120, `the long item is ${first.tallest} pixels high`);
      assert.equal(first.height, first.tallest + 2 * (7 + 3), 'the box grows to its tallest item');
      assert.deepEqual(first.border, ['3px', 'solid', 'rgb(17, 34, 51)']);
      assert.equal(first.padding, '7px');
      assert.equal(first.background, 'rgb(255, 238, 204)');
      assert.equal(first.zIndex, '5');
      assert.equal(first.cursor, 'help');
      assert.equal(first.overflow, 'hidden');
      await page.screenshot({ path: path.join(outRoot, `news-box-${engine}.png`) });
      await page.waitForFunction(() => window.__switches.some((s) => s.index === 2), { timeout: 4 * PERIOD + 2000 });
      assert.deepEqual(await look(), first, 'nothing moves when the items change');
      await finish(page);
    });

    test('items fade one into the next in order, each held for the delay', async () => {
      const page = await open(run, publish(out('timing'), { pDelay: String(DELAY) }, threeItems).url);
      const start = await page.evaluate(() => window.__boxAt);
      await page.waitForFunction(() => window.__switches.length >= 4, { timeout: 5 * PERIOD + 3000 });
      const log = await switches(page);
      assert.deepEqual(log.slice(0, 4).map((s) => s.index), [1, 2, 0, 1]);
      assert.ok(log[0].t - start >= DELAY - 50, `first change after the delay (${log[0].t - start} ms)`);
      for (let i = 1; i < 4; i++) {
        const gap = log[i].t - log[i - 1].t;
        assert.ok(gap >= PERIOD - 30, `gap ${i}: ${gap} ms`);
      }
      for (const s of log.slice(0, 4)) assert.deepEqual(s.fades, [FADE], 'each change is a cross-fade');
      await finish(page);
    });

    test('a delay of 0 still leaves half a second between changes', async () => {
      const page = await open(run, publish(out('fast'), { pDelay: '0' }, threeItems).url);
      const start = await page.evaluate(() => window.__boxAt);
      await page.waitForFunction(() => window.__switches.length >= 4, { timeout: 4 * PERIOD + 3000 });
      const log = await switches(page);
      assert.ok(log[0].t - start >= 490, `first after ${log[0].t - start} ms`);
      for (let i = 1; i < log.length; i++) assert.ok(log[i].t - log[i - 1].t >= 490, JSON.stringify(log));
      await finish(page);
    });

    test('one item stays still and no items give no box and no timer', async () => {
      const one = await open(run, publish(out('one-item'), { pDelay: '100' }, [threeItems[0]]).url);
      await wait(1200);
      assert.deepEqual(await switches(one), []);
      assert.equal((await one.$$('.lumeroll-item')).length, 1);
      assert.equal((await one.$$('.lumeroll-button')).length, 0);
      assert.equal(await shown(one), 0);
      await finish(one);

      const none = await open(run, publish(out('no-items'), { pDelay: '100' }, []).url,
        { waitForBox: false, init: countTimers });
      await none.waitForFunction(() => document.readyState === 'complete');
      await wait(300);
      assert.deepEqual(await none.evaluate(() => [document.querySelectorAll('.lumeroll-box').length, window.__timers]),
        [0, 0]);
      await finish(none);
    });

    test('pointer over the box pauses it until it leaves', async () => {
      const page = await open(run, publish(out('hover'), { pDelay: String(DELAY) }, threeItems).url);
      await page.hover('.lumeroll-box');
      const before = await count(page);
      await wait(2 * PERIOD);
      assert.equal(await count(page), before, 'no change while hovered');
      assert.equal(await page.$eval('.lumeroll-items', (l) => l.getAttribute('aria-live')), 'polite');
      assert.deepEqual(await page.$$eval('.lumeroll-button', (bs) => bs.map((b) => getComputedStyle(b).opacity)),
        ['1', '1', '1'], 'Previous, Pause and Next show on hover');
      await page.mouse.move(700, 500);
      assert.equal(await page.$eval('.lumeroll-items', (l) => l.getAttribute('aria-live')), 'off');
      await moreSwitches(page, before, PERIOD + 2000);
      await finish(page);
    });

    test('Tab reaches the shown link and the controls; Pause stops and Play plays at once by keys', async () => {
      const page = await open(run, publish(out('keyboard'), { pDelay: String(DELAY) }, threeItems).url);
      assert.equal(await opacityOf(page, '.lumeroll-pause'), '0', 'controls hidden at rest');
      const focused = () => page.evaluate(() => {
        const a = document.activeElement;
        const item = a.closest('.lumeroll-item');
        return { tag: a.tagName, shown: item ? !item.hasAttribute('aria-hidden') : null, label: a.getAttribute('aria-label'),
          text: a.textContent, opacity: getComputedStyle(a).opacity };
      });
      await page.keyboard.press('Tab');
      const link = await focused();
      assert.deepEqual({ ...link, text: undefined }, { tag: 'A', shown: true, label: null, text: undefined, opacity: '1' });
      await page.keyboard.press('Tab');
      assert.deepEqual(await focused(), { tag: 'BUTTON', shown: null, label: 'Previous news', text: '\u2039', opacity: '1' });
      await page.keyboard.press('Tab');
      assert.deepEqual(await focused(), { tag: 'BUTTON', shown: null, label: 'Pause news', text: 'Pause', opacity: '1' });
      const before = await count(page);
      await wait(2 * PERIOD);
      assert.equal(await count(page), before, 'no change while focus is inside');

      await page.keyboard.press('Enter');
      assert.equal(await page.$eval('.lumeroll-pause', (b) => b.getAttribute('aria-label')), 'Play news');
      await page.evaluate(() => document.activeElement.blur());
      await wait(2 * PERIOD);
      assert.equal(await count(page), before, 'stays paused after focus leaves');

      await page.focus('.lumeroll-pause');
      await page.keyboard.press('Enter');
      assert.equal(await page.$eval('.lumeroll-pause', (b) => b.textContent), 'Pause');
      await moreSwitches(page, before + 1, 2 * PERIOD + 2000);
      assert.equal(await page.evaluate(() => document.activeElement.className), 'lumeroll-button lumeroll-pause',
        'it plays with the focus still on the control');
      await finish(page);
    });

    test('a click on Play plays at once while the pointer stays on it', async () => {
      const page = await open(run, publish(out('click-play'), { pDelay: String(DELAY) }, threeItems).url);
      await page.click('.lumeroll-pause');
      assert.equal(await page.$eval('.lumeroll-pause', (b) => b.textContent), 'Play');
      await page.mouse.move(700, 500);
      const before = await count(page);
      await wait(2 * PERIOD);
      assert.equal(await count(page), before, 'paused after the pointer left');
      const at = await page.$eval('.lumeroll-pause', (b) => { const r = b.getBoundingClientRect(); return [r.x + 5, r.y + 5]; });
      await page.click('.lumeroll-pause');
      await moreSwitches(page, before + 1, 2 * PERIOD + 2000);
      assert.ok(await page.evaluate(([x, y]) => document.elementFromPoint(x, y).closest('.lumeroll-box') !== null, at),
        'the pointer is still on the box');
      await finish(page);
    });

    test('Previous and Next move one item by control, arrow key and swipe, then hold the full delay', async () => {
      // A long delay, so that the box's own timer cannot race the steps.
      const delay = 2000, fade = 600;
      const page = await open(run, publish(out('steps'), { pDelay: String(delay) },
        [...threeItems, { caption: 'Fourth' }, { caption: 'Fifth' }]).url);
      await page.hover('.lumeroll-box');
      const first = await shown(page);
      const stepped = async (how, act, offset) => {
        const n = await count(page);
        await act();
        await moreSwitches(page, n, 3000);
        const s = (await switches(page))[n];
        const to = (first + offset + 5) % 5;
        assert.equal(s.index, to, `${how} shows item ${to + 1}`);
        assert.deepEqual(s.fades, [fade], `${how} fades`);
        // Steps closer than half a second wait their turn, and a fade cut short
        // by the next step would run shorter: let this one end first.
        await wait(fade + 150);
        return s;
      };
      await stepped('Next', () => page.click('.lumeroll-next'), 1);
      await stepped('Next', () => page.click('.lumeroll-next'), 2);
      await stepped('Previous', () => page.click('.lumeroll-previous'), 1);
      await page.focus('.lumeroll-item:not([aria-hidden]) a');
      await stepped('Left', () => page.keyboard.press('ArrowLeft'), 0);
      await stepped('Left', () => page.keyboard.press('ArrowLeft'), -1);
      await stepped('Right', () => page.keyboard.press('ArrowRight'), 0);
      assert.ok(await page.evaluate(() => document.querySelector('.lumeroll-box').contains(document.activeElement)),
        'the focus stays in the box when its item goes');

      // A swipe to the left brings the next item, to the right the one before;
      // an upward one is the page's.
      const box = await page.$eval('.lumeroll-box', (b) => { const r = b.getBoundingClientRect(); return [r.x, r.y]; });
      const swipe = async (dx, dy = 0) => {
        await page.touchscreen.touchStart(box[0] + 120, box[1] + 100);
        await page.touchscreen.touchMove(box[0] + 120 + dx / 2, box[1] + 100 + dy / 2);
        await page.touchscreen.touchMove(box[0] + 120 + dx, box[1] + 100 + dy);
        await page.touchscreen.touchEnd();
      };
      await stepped('swipe left', () => swipe(-80), 1);
      await stepped('swipe right', () => swipe(80), 0);
      const before = await count(page);
      await swipe(10, -80);
      await wait(700);
      assert.equal(await count(page), before, 'no step from a vertical swipe');

      // Running again, a step holds its item for the full delay.
      await page.evaluate(() => document.activeElement.blur());
      await page.mouse.move(700, 500);
      const last = await stepped('swipe left', () => swipe(-80), 1);
      await page.waitForFunction((t) => window.__switches.some((s) => s.t > t + 1), { timeout: 2 * delay + 3000 },
        last.t);
      const next = (await switches(page)).find((s) => s.t > last.t + 1);
      assert.equal(next.index, (first + 2) % 5);
      assert.ok(next.t - last.t >= delay + fade - 30, `held ${next.t - last.t} ms after the swipe`);
      await finish(page);
    });

    test('only the shown item is seen, clickable and named with its position; no axe violation', async () => {
      const { folder, url } = publish(out('links'), { pDelay: String(DELAY) },
        threeItems.map((it, i) => ({ ...it, link: `t${i}.html` })));
      for (let i = 0; i < 3; i++) fs.writeFileSync(path.join(folder, `t${i}.html`), `<title>t${i}</title>`);
      const page = await open(run, url);
      await moreSwitches(page, 0, PERIOD + 2000);
      await page.hover('.lumeroll-box');
      await wait(FADE + 100);  // let the fade end
      const state = await page.evaluate(() => {
        const box = document.querySelector('.lumeroll-box');
        const items = [...box.querySelectorAll('.lumeroll-item')].map((i) => ({
          hidden: i.getAttribute('aria-hidden'), inert: i.inert, visibility: getComputedStyle(i).visibility,
          role: i.getAttribute('role'), name: i.getAttribute('aria-label'), dir: i.getAttribute('dir') }));
        const link = box.querySelector('.lumeroll-item:not([aria-hidden]) a').getBoundingClientRect();
        const hit = document.elementFromPoint(link.x + 3, link.y + link.height / 2).closest('a').getAttribute('href');
        return { region: [box.getAttribute('role'), box.getAttribute('aria-label')], items, hit };
      });
      assert.deepEqual(state.region, ['region', 'News']);
      const shownIndex = await shown(page);
      state.items.forEach((it, i) => {
        assert.deepEqual([it.role, it.name, it.dir], ['group', `${threeItems[i].caption}, ${i + 1} of 3`, 'auto']);
        assert.deepEqual([it.hidden, it.inert, it.visibility],
          i === shownIndex ? [null, false, 'visible'] : ['true', true, 'hidden']);
      });
      assert.equal(state.hit, `t${shownIndex}.html`);
      assert.deepEqual(await axeViolations(page), []);
      await Promise.all([page.waitForNavigation(), page.click('.lumeroll-item:not([aria-hidden]) a')]);
      assert.ok(page.url().endsWith(`/t${shownIndex}.html`), page.url());
      assert.deepEqual(page.errors, []);
      await page.close();
    });

    test('a hidden page stops the timer and returns without a burst', async () => {
      const page = await open(run, publish(out('hidden'), { pDelay: String(DELAY) }, threeItems).url);
      const setHidden = (hidden) => page.evaluate((h) => {
        Object.defineProperty(document, 'hidden', { configurable: true, get: () => h });
        document.dispatchEvent(new Event('visibilitychange'));
        return performance.now();
      }, hidden);
      await setHidden(true);
      const before = await count(page);
      await wait(3 * PERIOD);
      assert.equal(await count(page), before, 'no change while hidden');
      const back = await setHidden(false);
      await moreSwitches(page, before, DELAY + 2000);
      const next = (await switches(page)).slice(before);
      assert.ok(next[0].t - back >= DELAY - 50, `first change a full delay after return (${next[0].t - back} ms)`);
      assert.equal(next.filter((s) => s.t - back < DELAY + FADE - 30).length, 1, 'one change, not the missed ones');
      await finish(page);
    });

    test('two boxes on one page run on their own timers and have names of their own', async () => {
      const a = publish(out('two/a'), { pDelay: String(DELAY) }, threeItems);
      const b = publish(out('two/b'), { pDelay: String(DELAY), pBackgroundColor: 'DDEEFF' },
        [{ caption: 'B one' }, { caption: 'B two' }]);
      const host = path.join(outRoot, engine, 'two', 'host.html');
      fs.writeFileSync(host, `<html><body>\r\n${snippet(a.folder, 'a/')}\r\n<hr>\r\n${snippet(b.folder, 'b/')}\r\n</body></html>`);
      const page = await open(run, 'file://' + host);
      assert.deepEqual(await page.$$eval('.lumeroll-box', (bs) => bs.map((x) => x.getAttribute('aria-label'))),
        ['News', 'News 2']);
      await page.hover('.lumeroll-box');
      const before = await count(page);
      await wait(3 * PERIOD);
      const during = (await switches(page)).slice(before);
      assert.ok(during.length >= 2, 'the second box goes on');
      assert.ok(during.every((s) => s.box === 1), 'the hovered first box holds still');
      // axe reads colours as drawn, so a fade under way would show as poor
      // contrast: the focus stills the second box too, and its last fade ends.
      await page.evaluate(() => document.querySelectorAll('.lumeroll-box')[1].querySelector('.lumeroll-pause').focus());
      await wait(FADE + 150);
      assert.deepEqual(await axeViolations(page), []);
      await page.screenshot({ path: path.join(outRoot, `two-boxes-${engine}.png`) });
      await finish(page);
    });

    test('long content scrolled by the focus goes back to its start when the focus leaves', async () => {
      // The box grows to tall content; only content wider than the box lets a
      // focused link scroll it sideways.
      const content = 'line<br /><a href="#end" id="deep" style="display:inline-block;margin-left:800px">deep link</a><br />';
      const page = await open(run, publish(out('scroll'), { pDelay: String(DELAY) },
        [{ caption: 'Wide', content }, { caption: 'Next', content }]).url);
      const offsets = () => page.evaluate(() => [document.querySelector('.lumeroll-box'),
        ...document.querySelectorAll('.lumeroll-item')].map((e) => e.scrollTop + e.scrollLeft));
      await page.focus('.lumeroll-item:not([aria-hidden]) #deep');
      assert.ok((await offsets()).some((o) => o > 0), 'the focused link scrolled into view');
      await page.keyboard.press('Tab');  // into the controls: still inside
      await page.evaluate(() => document.activeElement.blur());
      assert.deepEqual(await offsets(), [0, 0, 0]);
      const top = await page.$eval('.lumeroll-box', (b) => b.querySelector('.lumeroll-item').getBoundingClientRect().top
        - b.getBoundingClientRect().top);
      assert.ok(top >= 0 && top < 10, `the item starts at the box's top (${top})`);
      await finish(page);
    });

    test('a 728-pixel box fits a 320-pixel screen without sideways scrolling', async () => {
      for (const width of ['728', '3000']) {
        const page = await open(run, publish(out(`narrow-${width}`), { pDelay: String(DELAY), pWidth: width,
          pHeight: '90' }, threeItems).url, { viewport: { width: 320, height: 480 } });
        const fit = await page.evaluate(() => {
          const box = document.querySelector('.lumeroll-box').getBoundingClientRect();
          return { scroll: document.documentElement.scrollWidth, view: document.documentElement.clientWidth,
            right: box.right, width: box.width, height: box.height };
        });
        assert.ok(fit.scroll <= fit.view, `page scrolls sideways: ${JSON.stringify(fit)}`);
        assert.ok(fit.right <= fit.view && fit.width > 250, JSON.stringify(fit));
        assert.ok(fit.height >= 90 + 2 * (5 + 1), 'the configured height is the least');
        await finish(page);
      }
    });

    test('block content keeps the content style; right-to-left headlines run right to left', async () => {
      const content = 'Intro<ul><li id="li">listed</li></ul><table><tr><td id="td">cell</td></tr></table><div id="div">div</div>';
      const page = await open(run, publish(out('blocks'), { pDelay: String(DELAY), pContentFontFamily: 'Georgia,serif',
        pContentSize: '19', pContentColor: 'CC0000', pContentPadding: '9', pContentItalic: '1' },
      [{ caption: 'Lists', content }, { caption: '\u05d7\u05d3\u05e9\u05d5\u05ea \u05d4\u05d9\u05d5\u05dd', content: 'x' }]).url);
      const look = await page.evaluate(() => {
        const item = document.querySelector('.lumeroll-item');
        const style = (id) => {
          const s = getComputedStyle(document.getElementById(id));
          return [s.fontFamily, s.fontSize, s.color, s.fontStyle];
        };
        const holder = document.getElementById('li').closest('.lumeroll-item > *');
        return {
          styles: ['li', 'td', 'div'].map(style), padding: getComputedStyle(holder).paddingTop,
          emptyParagraphs: [...item.querySelectorAll('p')].filter((p) => !p.textContent.trim()).length,
          direction: [...document.querySelectorAll('.lumeroll-item a')].map((a) => getComputedStyle(a).direction),
        };
      });
      for (const s of look.styles) assert.deepEqual(s, ['Georgia, serif', '19px', 'rgb(204, 0, 0)', 'italic']);
      assert.equal(look.padding, '9px');
      assert.equal(look.emptyParagraphs, 0);
      assert.deepEqual(look.direction, ['ltr', 'rtl']);
      await finish(page);
    });

    test('letters beyond ASCII show right in a page that declares no character set', async () => {
      const caption = 'Caf\u00e9 \u2013 5 \u20ac off \ud83d\ude00';
      const cp1252 = (text) => Buffer.from(text.replace(/[\u2013\u20ac]/g, (c) => ({ '\u2013': '\x96', '\u20ac': '\x80' })[c]),
        'latin1');
      const cases = [['utf8', caption, undefined], ['windows-1252', 'Caf\u00e9 \u2013 5 \u20ac off', cp1252]];
      for (const [name, text, encode] of cases) {
        const { folder, url } = publish(out(`letters-${name}`), { pDelay: String(DELAY) }, [{ caption: text }], encode);
        const page = await open(run, url);
        assert.doesNotMatch(fs.readFileSync(path.join(folder, 'news.html'), 'latin1'), /charset/i);
        assert.equal(await page.$eval('.lumeroll-item a', (a) => a.textContent), text, name);
        await finish(page);
      }
    });

    test('quotes and backslashes in captions and contents arrive as written; no global but the constructor', async () => {
      const caption = `Today's "big" news \\o/`;
      const content = `C:\\temp\\new it's <b>"bold"</b>`;
      const page = await open(run, publish(out('quotes'), { pDelay: String(DELAY), pTitleFontFamily: "'Trebuchet MS',serif" },
        [{ caption, content }, { caption: 'Second' }]).url);
      const seen = await page.evaluate(() => {
        const item = document.querySelector('.lumeroll-item');
        const title = item.querySelector('p');
        const body = item.children[1];
        return [title.textContent, body.textContent, body.querySelector('b').textContent,
          getComputedStyle(title.querySelector('a')).fontFamily];
      });
      assert.deepEqual(seen, [caption, `C:\\temp\\new it's "bold"`, '"bold"', '"Trebuchet MS", serif']);

      // The runtime adds its constructor and the configuration script its box
      // variable; nothing else lands on the page's window.
      const blank = await run.browser.newPage();
      fs.writeFileSync(path.join(outRoot, 'blank.html'), '<html><body></body></html>');
      await blank.goto('file://' + path.join(outRoot, 'blank.html'));
      const known = new Set(await blank.evaluate(() => Object.getOwnPropertyNames(window)));
      await blank.close();
      const added = await page.evaluate(() => Object.getOwnPropertyNames(window));
      assert.deepEqual(added.filter((n) => !known.has(n) && !n.startsWith('__')).sort(), ['awkmanbSPM', 'jslumeroll1']);
      await finish(page);
    });

    // The editor's preview builds boxes of its own from the runtime: into a
    // given element, held on one item while it is edited, and taken down again.
    async function hostPage(name) {
      const { folder } = publish(out(name), { pDelay: String(DELAY) }, threeItems);
      fs.writeFileSync(path.join(folder, 'hooks.html'),
        '<html><body><div id="pane"></div><p id="tail">tail</p>\r\n' +
        '<script src="orvantalumeroll.js"></script></body></html>');
      const page = await open(run, 'file://' + path.join(folder, 'hooks.html'), { waitForBox: false });
      await page.evaluate(() => {
        // Counts what the box leaves behind: listeners not taken off and
        // timers neither fired nor cleared.
        const live = new Set();
        window.__listeners = live;
        const add = EventTarget.prototype.addEventListener, remove = EventTarget.prototype.removeEventListener;
        EventTarget.prototype.addEventListener = function (type, fn, o) { live.add({ t: this, type, fn }); add.call(this, type, fn, o); };
        EventTarget.prototype.removeEventListener = function (type, fn, o) {
          for (const l of live) if (l.t === this && l.type === type && l.fn === fn) live.delete(l);
          remove.call(this, type, fn, o);
        };
        const pending = new Set();
        window.__timers = pending;
        const set = window.setTimeout, clear = window.clearTimeout;
        window.setTimeout = (fn, ms) => { const id = set(() => { pending.delete(id); fn(); }, ms); pending.add(id); return id; };
        window.clearTimeout = (id) => { pending.delete(id); clear(id); };
      });
      return page;
    }

    const makeBox = (page) => page.evaluate((delay) => {
      window.__box = new awkmanbSPM({ container: document.getElementById('pane') });
      for (const c of ['First', 'Second', 'Third']) window.__box.awkmaNBSPm(`<p><a href="#">${c}</a></p>`);
      window.__box.awkmbnbspm(delay, 240, 120, 1, 'solid', '#000', 5, '#fff', 1, 'auto');
    }, DELAY);

    test('a box built for a preview goes into the given element', async () => {
      const page = await hostPage('hooks-container');
      await makeBox(page);
      const where = await page.evaluate(() => {
        const box = document.querySelector('.lumeroll-box');
        return [box.parentNode.id, box.parentNode.children.length, document.querySelectorAll('.lumeroll-box').length];
      });
      assert.deepEqual(where, ['pane', 1, 1]);
      await moreSwitches(page, 1, PERIOD + 2000);
      await finish(page);
    });

    test('hold shows an item at once and keeps it until hold(-1)', async () => {
      const page = await hostPage('hooks-hold');
      await makeBox(page);
      const opacity = await page.evaluate(() => {
        window.__box.hold(2);
        return [...document.querySelectorAll('.lumeroll-item')].map((i) => getComputedStyle(i).opacity);
      });
      assert.deepEqual(opacity, ['0', '0', '1'], 'no fade: item 3 is fully there in the same frame');
      assert.equal(await shown(page), 2);
      const before = await count(page);
      await wait(2 * PERIOD);
      assert.equal(await count(page), before, 'no change while held');
      assert.equal(await page.evaluate(() => window.__timers.size), 0, 'no timer while held');
      await page.hover('.lumeroll-box');
      assert.equal(await page.$eval('.lumeroll-controls', (c) => getComputedStyle(c).display), 'none',
        'no controls while held');
      await page.mouse.move(700, 500);

      // Another item while held, then let go: a full delay on it, then onwards.
      await page.evaluate(() => window.__box.hold(0));
      assert.equal(await shown(page), 0);
      const released = await page.evaluate(() => { window.__box.hold(-1); return performance.now(); });
      await page.waitForFunction((n) => window.__switches.length > n + 2, { timeout: 3 * PERIOD + 3000 }, before);
      const next = (await switches(page)).slice(before);
      assert.equal(next[0].index, 0, 'the held item was shown at once');
      assert.deepEqual(next.slice(1, 3).map((s) => s.index), [1, 2]);
      assert.ok(next[1].t - released >= DELAY - 50, `runs again after a full delay (${next[1].t - released} ms)`);
      await finish(page);
    });

    test('destroy takes the box, its timers and its listeners away', async () => {
      const page = await hostPage('hooks-destroy');
      const base = await page.evaluate(() => window.__listeners.size);
      await makeBox(page);
      await page.hover('.lumeroll-box');
      await page.mouse.move(700, 500);
      const during = await page.evaluate(() => [window.__listeners.size, window.__timers.size]);
      assert.ok(during[0] > base && during[1] === 1, JSON.stringify(during));
      const left = await page.evaluate(() => {
        window.__box.destroy();
        return [window.__listeners.size, window.__timers.size, document.querySelectorAll('.lumeroll-box').length,
          document.getElementById('pane').children.length];
      });
      assert.deepEqual(left, [base, 0, 0, 0]);
      // A page event after destroy reaches nothing of the box.
      await page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
      assert.equal(await page.evaluate(() => window.__timers.size), 0);
      await finish(page);
    });
  });
}

test('publish refuses a delay that is not a whole number', () => {
  const folder = path.join(outRoot, 'injected');
  fs.rmSync(folder, { recursive: true, force: true });
  fs.mkdirSync(folder, { recursive: true });
  const project = path.join(folder, 'news.jslr');
  const delay = '0);alert(document.domain);(0';
  fs.writeFileSync(project, projectText({ pDelay: delay }, threeItems));
  const result = spawnSync(cli, ['publish', project], { encoding: 'utf8' });
  assert.equal(result.status, 1);
  assert.match(result.stderr, new RegExp(`'${delay.replace(/[().;]/g, '\\$&')}' is not a valid integer value`));
  assert.ok(!fs.existsSync(path.join(folder, 'news.html')), 'no page published');
});
