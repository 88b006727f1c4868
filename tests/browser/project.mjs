// Writes project files the way the editor saves them and publishes them with
// lumeroll-cli, so every page the browser tests open is the tool's own.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

const SEP = '#$@';
const APPLET_FIELDS = [
  'pDelay', 'pWidth', 'pHeight', 'pBorderWidth', 'pBorderStyle', 'pBorderColor', 'pPadding',
  'pBackgroundColor', 'pZIndex', 'pCursor', 'pTitleFontFamily', 'pTitleAlign', 'pTitleColor',
  'pTitlePadding', 'pTitleSize', 'pTitleBold', 'pTitleItalic', 'pContentFontFamily', 'pContentAlign',
  'pContentColor', 'pContentPadding', 'pContentSize', 'pContentBold', 'pContentItalic',
  'pInternalUse_RootDir_Local', 'pInternalUse_RootDir_Remote', 'pInternalUse_RootDir_Local_Checked',
];
const FONTS = 'Ms Sans Serif,Georgia,Helvetica,Arial';
export const DEFAULT_APPLET = {
  pDelay: '1000', pWidth: '240', pHeight: '120', pBorderWidth: '1', pBorderStyle: '3',
  pBorderColor: '000000', pPadding: '5', pBackgroundColor: 'FFFFFF', pZIndex: '1000', pCursor: '6',
  pTitleFontFamily: FONTS, pTitleAlign: '0', pTitleColor: '000000', pTitlePadding: '2', pTitleSize: '14',
  pTitleBold: '1', pTitleItalic: '0', pContentFontFamily: FONTS, pContentAlign: '0', pContentColor: '000000',
  pContentPadding: '2', pContentSize: '14', pContentBold: '0', pContentItalic: '0',
  pInternalUse_RootDir_Local: '', pInternalUse_RootDir_Remote: '', pInternalUse_RootDir_Local_Checked: '1',
};

export const cli = process.env.LUMEROLL_CLI;
export const outRoot = process.env.LUMEROLL_BROWSER_OUT;

// items: { caption, link, target, content, level }
export function projectText(applet, items) {
  const a = { ...DEFAULT_APPLET, ...applet };
  const lines = [
    '<Warning_Info>', 'Note: This file be created and maintained by JavaScript Lumeroll 1.0.',
    "It may cause the project file can't be opened correctly if you modify it by yourself!",
    '</Warning_Info>', '<Product_Name>', 'JavaScript Lumeroll', '</Product_Name>', '<Product_Version>', '1.0',
    '</Product_Version>', '<Applet_Parameters>', APPLET_FIELDS.map((f) => a[f] + SEP).join(''),
    '</Applet_Parameters>', '<Item_Parameters>',
  ];
  for (const it of items) {
    const fields = [it.caption ?? 'News Title', it.link ?? '', it.target ?? '_self', it.content ?? '',
      String(it.level ?? 0), ''];
    while (fields.length < 20) fields.push('');
    lines.push(fields.map((f) => f + SEP).join(''));
  }
  lines.push('</Item_Parameters>');
  return lines.map((l) => l + '\r\n').join('');
}

// Publishes a project into a fresh folder under the output root; returns the
// folder and the page's file:// address. encode turns the project text into
// the file's bytes (UTF-8 unless given).
export function publish(name, applet, items, encode = (text) => Buffer.from(text, 'utf8')) {
  const folder = path.join(outRoot, name);
  fs.rmSync(folder, { recursive: true, force: true });
  fs.mkdirSync(folder, { recursive: true });
  const projectPath = path.join(folder, 'news.jslr');
  fs.writeFileSync(projectPath, encode(projectText(applet, items)));
  execFileSync(cli, ['publish', projectPath], { stdio: ['ignore', 'ignore', 'inherit'] });
  return { folder, url: 'file://' + path.join(folder, 'news.html') };
}

// Publishes one of the editor's seed templates as it ships.
export function publishTemplate(name, template) {
  const folder = path.join(outRoot, name);
  fs.rmSync(folder, { recursive: true, force: true });
  fs.mkdirSync(folder, { recursive: true });
  const projectPath = path.join(folder, 'news.jslr');
  fs.copyFileSync(new URL(`../../resources/templates/${template}.jslr`, import.meta.url), projectPath);
  execFileSync(cli, ['publish', projectPath], { stdio: ['ignore', 'ignore', 'inherit'] });
  return { folder, url: 'file://' + path.join(folder, 'news.html') };
}

// The snippet of a published page (from its JavaScript Lumeroll comment to
// its END comment), as a user copies it into a page of their own.
export function snippet(folder, prefix) {
  const page = fs.readFileSync(path.join(folder, 'news.html'), 'latin1');
  const lines = page.split('\r\n');
  const from = lines.indexOf('<!-- JavaScript Lumeroll 1.0 -->');
  const to = lines.indexOf('<!-- END -->');
  return lines.slice(from, to + 1).join('\r\n').replace(/src="/g, `src="${prefix}`);
}
