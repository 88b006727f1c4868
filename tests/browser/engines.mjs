// Starts Debian's Chromium (over CDP) and Firefox ESR (over WebDriver BiDi)
// through puppeteer-core, once per test file, each on a fresh profile, and
// opens watched pages in them. LUMEROLL_ENGINES narrows the list
// ("chromium", "firefox" or both, comma-separated).

import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';

import puppeteer from 'puppeteer-core';

const CHROMIUM_FLAGS = ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync'];

export const ENGINES = (process.env.LUMEROLL_ENGINES || 'chromium,firefox').split(',').filter(Boolean);

// prefs: Firefox preferences for the whole browser (Firefox has no per-page
// emulation of media features over BiDi).
export async function launch(engine, { firefoxPrefs = {} } = {}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `lumeroll-${engine}-`));
  const chromium = engine === 'chromium';
  const browser = await puppeteer.launch({
    browser: chromium ? 'chrome' : 'firefox',
    executablePath: chromium ? (process.env.LUMEROLL_CHROMIUM || '/usr/bin/chromium')
      : (process.env.LUMEROLL_FIREFOX || '/usr/bin/firefox-esr'),
    headless: true,
    userDataDir: profile,
    args: chromium ? CHROMIUM_FLAGS : [],
    extraPrefsFirefox: firefoxPrefs,
    defaultViewport: { width: 800, height: 600 },
    protocolTimeout: 60000,
  });
  return {
    engine, browser,
    async close() {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens a page and watches it: console errors, uncaught errors, and every
// change of the shown item, with the opacity transitions that the change
// started on the incoming item (asked at the change itself, so a busy machine
// does not blur them).
// init runs in the page before its own scripts.
export async function open(run, url, { reducedMotion, viewport, waitForBox = true, init } = {}) {
  const page = await run.browser.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  if (viewport) await page.setViewport(viewport);
  if (reducedMotion && run.engine === 'chromium') {
    await page.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: reducedMotion }]);
  }
  if (init) await page.evaluateOnNewDocument(init);
  await page.evaluateOnNewDocument(() => {
    window.__switches = [];
    new MutationObserver((records) => {
      for (const r of records) {
        for (const n of r.addedNodes) if (n.classList?.contains('lumeroll-box')) window.__boxAt ??= performance.now();
        const item = r.target;
        if (!item.classList?.contains('lumeroll-item') || item.hasAttribute('aria-hidden')) continue;
        const box = item.closest('.lumeroll-box');
        const items = [...box.querySelectorAll('.lumeroll-item')];
        const fades = item.getAnimations().filter((a) => a.transitionProperty === 'opacity')
          .map((a) => Math.round(a.effect.getComputedTiming().duration));
        window.__switches.push({ t: performance.now(), box: [...document.querySelectorAll('.lumeroll-box')].indexOf(box),
          index: items.indexOf(item), fades });
      }
    }).observe(document, { subtree: true, childList: true, attributes: true, attributeFilter: ['aria-hidden'] });
  });
  await page.goto(url);
  if (waitForBox) await page.waitForSelector('.lumeroll-box');
  page.errors = errors;
  return page;
}

// An init for open(): counts the timers the page starts in window.__timers.
export function countTimers() {
  window.__timers = 0;
  const set = window.setTimeout;
  window.setTimeout = function (...args) { window.__timers++; return set.apply(this, args); };
}

export const switches = (page) => page.evaluate(() => window.__switches.map((s) => ({ ...s })));
export const count = (page) => page.evaluate(() => window.__switches.length);
export const wait = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
export const shown = (page, box = 0) => page.evaluate((b) => {
  const items = [...document.querySelectorAll('.lumeroll-box')[b].querySelectorAll('.lumeroll-item')];
  return items.findIndex((i) => !i.hasAttribute('aria-hidden'));
}, box);
export const moreSwitches = (page, than, timeout) =>
  page.waitForFunction((n) => window.__switches.length > n, { timeout, polling: 20 }, than);

export async function finish(page) {
  assert.deepEqual(page.errors, [], 'the console shows no error');
  await page.close();
}

// axe-core run inside the page on the boxes only; returns the violations.
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
export async function axeViolations(page) {
  await page.evaluate(axeSource);
  return page.evaluate(async () => {
    const result = await window.axe.run('.lumeroll-box', { resultTypes: ['violations'] });
    return result.violations.map((v) => ({ id: v.id, nodes: v.nodes.map((n) => n.target.join(' ')) }));
  });
}
