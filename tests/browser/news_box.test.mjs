// The published news box in headless Chromium: placement and geometry, the
// order and timing of items, the ways to pause it, reduced motion, links,
// two boxes on one page, awkward text, and a clean console.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { chromium } from 'playwright-core';

import { cli, outRoot, publish, snippet } from './project.mjs';

const DELAY = 300;
const PERIOD = DELAY + Math.min(600, DELAY / 2);  // hold, then cross-fade
const FLAGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run'];

let context;
let profile;

before(async () => {
  assert.ok(cli && outRoot, 'LUMEROLL_CLI and LUMEROLL_BROWSER_OUT must be set');
  fs.mkdirSync(outRoot, { recursive: true });
  profile = fs.mkdtempSync(path.join(os.tmpdir(), 'lumeroll-chromium-'));
  context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.LUMEROLL_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: FLAGS,
    viewport: { width: 800, height: 600 },
  });
});

after(async () => {
  await context?.close();
  fs.rmSync(profile, { recursive: true, force: true });
});

const threeItems = [
  { caption: 'First', content: 'one<br />', link: 'target.html' },
  { caption: 'Second', content: 'two<br />', link: 'target.html' },
  { caption: 'Third', content: 'three<br />', link: 'target.html' },
];

// Opens a page and watches it: console errors, uncaught errors, and every
// change of the shown item with the two items' opacities shortly after.
async function open(url, { reducedMotion = 'no-preference', waitForBox = true } = {}) {
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.emulateMedia({ reducedMotion });
  await page.addInitScript(() => {
    window.__switches = [];
    const later = window.setTimeout;  // the page's own, should a test wrap it
    new MutationObserver((records) => {
      for (const r of records) {
        for (const n of r.addedNodes) if (n.classList?.contains('lumeroll-box')) window.__boxAt ??= performance.now();
        const item = r.target;
        if (!item.classList?.contains('lumeroll-item') || item.hasAttribute('aria-hidden')) continue;
        const box = item.closest('.lumeroll-box');
        const boxes = [...document.querySelectorAll('.lumeroll-box')];
        const items = [...box.querySelectorAll('.lumeroll-item')];
        const entry = { t: performance.now(), box: boxes.indexOf(box), index: items.indexOf(item) };
        const from = items[(entry.index + items.length - 1) % items.length];
        window.__switches.push(entry);
        later(() => {
          entry.inOpacity = Number(getComputedStyle(item).opacity);
          entry.outOpacity = Number(getComputedStyle(from).opacity);
        }, 40);
      }
    }).observe(document, { subtree: true, childList: true, attributes: true, attributeFilter: ['aria-hidden'] });
  });
  await page.goto(url);
  if (waitForBox) await page.waitForSelector('.lumeroll-box');
  page.errors = errors;
  return page;
}

const switches = (page) => page.evaluate(() => window.__switches.map((s) => ({ ...s })));
const wait = (page, ms) => page.waitForTimeout(ms);
const shown = (page, box = 0) => page.evaluate((b) => {
  const items = [...document.querySelectorAll('.lumeroll-box')[b].querySelectorAll('.lumeroll-item')];
  return items.findIndex((i) => !i.hasAttribute('aria-hidden'));
}, box);

async function finish(page) {
  assert.deepEqual(page.errors, [], 'the console shows no error');
  await page.close();
}

test('the box stands where the snippet stands, at its configured size and style', async () => {
  const { folder } = publish('geometry', { pDelay: String(DELAY), pBorderWidth: '3', pPadding: '7',
    pBackgroundColor: 'FFEECC', pBorderColor: '112233', pZIndex: '5', pCursor: '4' },
  [...threeItems.slice(0, 2), { caption: 'Long', content: 'a lot of text<br />'.repeat(40) }]);
  fs.writeFileSync(path.join(folder, 'host.html'),
    `<html><body><h1 id="before">Before</h1>\r\n${snippet(folder, '')}\r\n<p id="after">After</p></body></html>`);
  const page = await open('file://' + path.join(folder, 'host.html'));
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
      background: s.backgroundColor, zIndex: s.zIndex, cursor: s.cursor, overflow: s.overflow,
    };
  });
  const first = await look();
  assert.equal(first.previous, 'orvantalumeroll_news1_cfg.js');
  assert.ok(first.top >= first.beforeBottom && first.afterTop >= first.top + first.height, JSON.stringify(first));
  assert.equal(first.width, 240 + 2 * (7 + 3));
  assert.equal(first.height, 120 + 2 * (7 + 3));
  assert.deepEqual(first.border, ['3px', 'solid', 'rgb(17, 34, 51)']);
  assert.equal(first.padding, '7px');
  assert.equal(first.background, 'rgb(255, 238, 204)');
  assert.equal(first.zIndex, '5');
  assert.equal(first.cursor, 'help');
  assert.equal(first.overflow, 'hidden');
  await page.screenshot({ path: path.join(outRoot, 'news-box.png') });
  await page.waitForFunction(() => window.__switches.some((s) => s.index === 2));
  assert.deepEqual(await look(), first, 'nothing moves when the items change, long content is clipped');
  await finish(page);
});

test('items fade one into the next in order, each held for the delay', async () => {
  const { url } = publish('timing', { pDelay: String(DELAY) }, threeItems);
  const page = await open(url);
  const start = await page.evaluate(() => window.__boxAt);
  assert.equal(await shown(page), 0);
  await wait(page, 4 * PERIOD + 100);
  const log = await switches(page);
  assert.deepEqual(log.slice(0, 4).map((s) => s.index), [1, 2, 0, 1]);
  assert.ok(log[0].t - start >= DELAY - 50, `first change after the delay (${log[0].t - start} ms)`);
  for (let i = 1; i < 4; i++) {
    const gap = log[i].t - log[i - 1].t;
    assert.ok(gap >= PERIOD - 30 && gap < PERIOD + 400, `gap ${i}: ${gap} ms`);
  }
  // A cross-fade: shortly after a change both items are partly visible.
  const mid = log[0];
  assert.ok(mid.inOpacity > 0 && mid.inOpacity < 1 && mid.outOpacity > 0 && mid.outOpacity < 1, JSON.stringify(mid));
  const transition = await page.evaluate(() => getComputedStyle(document.querySelector('.lumeroll-item')).transitionProperty);
  assert.match(transition, /^opacity/);
  await finish(page);
});

test('one item stays still and no items give an empty box', async () => {
  const one = await open(publish('one-item', { pDelay: '100' }, [threeItems[0]]).url);
  await wait(one, 600);
  assert.deepEqual(await switches(one), []);
  assert.equal(await one.locator('.lumeroll-item').count(), 1);
  assert.equal(await one.locator('.lumeroll-button').count(), 0);
  assert.equal(await shown(one), 0);
  await finish(one);

  const none = await open(publish('no-items', { pDelay: '100' }, []).url);
  const size = await none.evaluate(() => {
    const r = document.querySelector('.lumeroll-box').getBoundingClientRect();
    return [r.width, r.height, document.querySelectorAll('.lumeroll-item, .lumeroll-button').length];
  });
  assert.deepEqual(size, [252, 132, 0]);
  await finish(none);
});

test('pointer over the box pauses it until it leaves', async () => {
  const page = await open(publish('hover', { pDelay: String(DELAY) }, threeItems).url);
  await page.hover('.lumeroll-box');
  const before = (await switches(page)).length;
  await wait(page, 3 * PERIOD);
  assert.equal((await switches(page)).length, before, 'no change while hovered');
  assert.equal(await page.getAttribute('.lumeroll-items', 'aria-live'), 'polite');
  assert.equal(await page.locator('.lumeroll-button').evaluate((b) => getComputedStyle(b).opacity), '1');
  await page.mouse.move(700, 500);
  assert.equal(await page.getAttribute('.lumeroll-items', 'aria-live'), 'off');
  await page.waitForFunction((n) => window.__switches.length > n, before, { timeout: DELAY + 1000 });
  await finish(page);
});

test('Tab reaches only the shown link and the pause button; focus and the button pause', async () => {
  const page = await open(publish('keyboard', { pDelay: String(DELAY) }, threeItems).url);
  assert.equal(await page.locator('.lumeroll-button').evaluate((b) => getComputedStyle(b).opacity), '0');
  await page.keyboard.press('Tab');
  const focused = () => page.evaluate(() => {
    const a = document.activeElement;
    const item = a.closest('.lumeroll-item');
    return { tag: a.tagName, shown: item ? !item.hasAttribute('aria-hidden') : null, label: a.getAttribute('aria-label'),
      text: a.textContent, opacity: getComputedStyle(a).opacity };
  });
  assert.deepEqual(await focused(), { tag: 'A', shown: true, label: null, text: 'First', opacity: '1' });
  await page.keyboard.press('Tab');
  assert.deepEqual(await focused(), { tag: 'BUTTON', shown: null, label: 'Pause news', text: 'Pause', opacity: '1' });
  const before = (await switches(page)).length;
  await wait(page, 3 * PERIOD);
  assert.equal((await switches(page)).length, before, 'no change while focus is inside');

  await page.keyboard.press('Enter');
  assert.equal(await page.getAttribute('.lumeroll-button', 'aria-label'), 'Play news');
  await page.evaluate(() => document.activeElement.blur());
  await wait(page, 3 * PERIOD);
  assert.equal((await switches(page)).length, before, 'stays paused after focus leaves');

  await page.focus('.lumeroll-button');
  await page.keyboard.press('Space');
  assert.equal(await page.textContent('.lumeroll-button'), 'Pause');
  await page.evaluate(() => document.activeElement.blur());
  await page.waitForFunction((n) => window.__switches.length > n, before, { timeout: DELAY + 1000 });
  await finish(page);
});

test('only the shown item is seen, clickable and in the accessibility tree', async () => {
  const { folder, url } = publish('links', { pDelay: '200' }, threeItems.map((it, i) => ({ ...it, link: `t${i}.html` })));
  for (let i = 0; i < 3; i++) fs.writeFileSync(path.join(folder, `t${i}.html`), `<title>t${i}</title>`);
  const page = await open(url);
  await page.waitForFunction(() => window.__switches.length >= 1);
  await page.hover('.lumeroll-box');
  await wait(page, 250);  // let the fade end
  const state = await page.evaluate(() => {
    const box = document.querySelector('.lumeroll-box');
    const items = [...box.querySelectorAll('.lumeroll-item')].map((i) => ({
      hidden: i.getAttribute('aria-hidden'), inert: i.inert, visibility: getComputedStyle(i).visibility,
      role: i.getAttribute('role'), name: i.getAttribute('aria-label') }));
    const link = box.querySelector('.lumeroll-item:not([aria-hidden]) a').getBoundingClientRect();
    const hit = document.elementFromPoint(link.x + 3, link.y + link.height / 2).closest('a').getAttribute('href');
    return { region: [box.getAttribute('role'), box.getAttribute('aria-label')], items, hit };
  });
  assert.deepEqual(state.region, ['region', 'News']);
  const shownIndex = await shown(page);
  state.items.forEach((it, i) => {
    assert.equal(it.role, 'group');
    assert.equal(it.name, threeItems[i].caption);
    assert.deepEqual([it.hidden, it.inert, it.visibility],
      i === shownIndex ? [null, false, 'visible'] : ['true', true, 'hidden']);
  });
  assert.equal(state.hit, `t${shownIndex}.html`);
  await page.click('.lumeroll-item:not([aria-hidden]) a');
  await page.waitForURL(`**/t${shownIndex}.html`);
  assert.deepEqual(page.errors, []);
  await page.close();
});

test('reduced motion switches items without the fade', async () => {
  const page = await open(publish('reduced', { pDelay: String(DELAY) }, threeItems).url, { reducedMotion: 'reduce' });
  await page.waitForFunction(() => window.__switches.length >= 2 && 'outOpacity' in window.__switches[1]);
  const log = await switches(page);
  for (const s of log.slice(0, 2)) assert.deepEqual([s.inOpacity, s.outOpacity], [1, 0], JSON.stringify(s));
  assert.ok(log[1].t - log[0].t < DELAY + 200, 'no fade time between changes');
  await finish(page);
});

test('a hidden page stops the timer and returns without a burst', async () => {
  const page = await open(publish('hidden', { pDelay: String(DELAY) }, threeItems).url);
  const setHidden = (hidden) => page.evaluate((h) => {
    Object.defineProperty(document, 'hidden', { configurable: true, get: () => h });
    document.dispatchEvent(new Event('visibilitychange'));
    return performance.now();
  }, hidden);
  await setHidden(true);
  const before = (await switches(page)).length;
  await wait(page, 4 * PERIOD);
  assert.equal((await switches(page)).length, before, 'no change while hidden');
  const back = await setHidden(false);
  await page.waitForFunction((n) => window.__switches.length > n, before, { timeout: DELAY + 1000 });
  const next = (await switches(page)).slice(before);
  assert.ok(next[0].t - back >= DELAY - 50, `first change a full delay after return (${next[0].t - back} ms)`);
  assert.equal(next.length, 1, 'one change, not the missed ones');
  await finish(page);
});

test('two boxes on one page run on their own timers', async () => {
  const a = publish('two/a', { pDelay: String(DELAY) }, threeItems);
  const b = publish('two/b', { pDelay: String(DELAY), pBackgroundColor: 'DDEEFF' },
    [{ caption: 'B one' }, { caption: 'B two' }]);
  const host = path.join(outRoot, 'two', 'host.html');
  fs.writeFileSync(host, `<html><body>\r\n${snippet(a.folder, 'a/')}\r\n<hr>\r\n${snippet(b.folder, 'b/')}\r\n</body></html>`);
  const page = await open('file://' + host);
  assert.equal(await page.locator('.lumeroll-box').count(), 2);
  await page.hover('.lumeroll-box >> nth=0');
  const before = await switches(page);
  await wait(page, 3 * PERIOD);
  const during = (await switches(page)).slice(before.length);
  assert.ok(during.length >= 2, 'the second box goes on');
  assert.ok(during.every((s) => s.box === 1), 'the hovered first box holds still');
  await page.screenshot({ path: path.join(outRoot, 'two-boxes.png') });
  await finish(page);
});

test('quotes and backslashes in captions and contents arrive as written', async () => {
  const caption = `Today's "big" news \\o/`;
  const content = `C:\\temp\\new it's <b>"bold"</b>`;
  const page = await open(publish('quotes', { pDelay: String(DELAY), pTitleFontFamily: "'Trebuchet MS',serif" },
    [{ caption, content }, { caption: 'Second' }]).url);
  const seen = await page.evaluate(() => {
    const item = document.querySelector('.lumeroll-item');
    const [title, body] = item.querySelectorAll('p');
    return [title.textContent, body.textContent, body.querySelector('b').textContent, item.getAttribute('aria-label'),
      getComputedStyle(title.querySelector('a')).fontFamily];
  });
  assert.deepEqual(seen, [caption, `C:\\temp\\new it's "bold"`, '"bold"', caption, '"Trebuchet MS", serif']);

  // The runtime adds its constructor and the configuration script its box
  // variable; nothing else lands on the page's window.
  const blank = await context.newPage();
  fs.writeFileSync(path.join(outRoot, 'blank.html'), '<html><body></body></html>');
  await blank.goto('file://' + path.join(outRoot, 'blank.html'));
  const known = new Set(await blank.evaluate(() => Object.getOwnPropertyNames(window)));
  await blank.close();
  const added = await page.evaluate(() => Object.getOwnPropertyNames(window));
  assert.deepEqual(added.filter((n) => !known.has(n) && !n.startsWith('__')).sort(), ['awkmanbSPM', 'jslumeroll1']);
  await finish(page);
});

// The editor's preview builds boxes of its own from the runtime: into a given
// element, held on one item while it is edited, and taken down again.
async function hostPage(name) {
  const { folder } = publish(name, { pDelay: String(DELAY) }, threeItems);
  fs.writeFileSync(path.join(folder, 'hooks.html'),
    '<html><body><div id="pane"></div><p id="tail">tail</p>\r\n' +
    '<script src="orvantalumeroll.js"></script></body></html>');
  const page = await open('file://' + path.join(folder, 'hooks.html'), { waitForBox: false });
  await page.evaluate(() => {
    // Counts what the box leaves behind: listeners not taken off and timers
    // neither fired nor cleared.
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

const makeBox = (page, captions = ['First', 'Second', 'Third']) => page.evaluate((list) => {
  window.__box = new awkmanbSPM({ container: document.getElementById('pane') });
  for (const c of list) window.__box.awkmaNBSPm(`<p><a href="#">${c}</a></p>`);
  window.__box.awkmbnbspm(300, 240, 120, 1, 'solid', '#000', 5, '#fff', 1, 'auto');
}, captions);

test('a box built for a preview goes into the given element', async () => {
  const page = await hostPage('hooks-container');
  await makeBox(page);
  const where = await page.evaluate(() => {
    const box = document.querySelector('.lumeroll-box');
    return [box.parentNode.id, box.parentNode.children.length, document.querySelectorAll('.lumeroll-box').length];
  });
  assert.deepEqual(where, ['pane', 1, 1]);
  await page.waitForFunction(() => window.__switches.length >= 1);
  await finish(page);
});

test('hold shows an item at once and keeps it until hold(-1)', async () => {
  const page = await hostPage('hooks-hold');
  await makeBox(page);
  const at = await page.evaluate(() => {
    window.__box.hold(2);
    const items = [...document.querySelectorAll('.lumeroll-item')];
    return { opacity: items.map((i) => getComputedStyle(i).opacity), t: performance.now() };
  });
  assert.deepEqual(at.opacity, ['0', '0', '1'], 'no fade: item 3 is fully there in the same frame');
  assert.equal(await shown(page), 2);
  const before = (await switches(page)).length;
  await wait(page, 3 * PERIOD);
  assert.equal((await switches(page)).length, before, 'no change while held');
  assert.equal(await page.evaluate(() => window.__timers.size), 0, 'no timer while held');
  assert.equal(await page.locator('.lumeroll-button').isVisible(), false);

  // Another item while held, then let go: a full delay on it, then onwards.
  await page.evaluate(() => window.__box.hold(0));
  assert.equal(await shown(page), 0);
  const released = await page.evaluate(() => { window.__box.hold(-1); return performance.now(); });
  await page.waitForFunction((n) => window.__switches.length > n + 2, before, { timeout: 3 * PERIOD + 2000 });
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
