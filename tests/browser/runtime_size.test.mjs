// The runtime script travels with every published page: its readable source
// stays under 12 KB and its minified (terser) and gzipped form under 3 KB.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

import { minify } from 'terser';

const runtime = fileURLToPath(new URL('../../resources/orvantalumeroll.js', import.meta.url));

test('the runtime script stays small', async () => {
  const source = fs.readFileSync(runtime, 'utf8');
  const { code } = await minify(source, { compress: true, mangle: true });
  const sizes = {
    readable: Buffer.byteLength(source),
    minified: Buffer.byteLength(code),
    gzipped: zlib.gzipSync(code, { level: 9 }).length,
  };
  console.log(JSON.stringify(sizes));
  assert.ok(sizes.readable < 12 * 1024, `readable ${sizes.readable} bytes`);
  assert.ok(sizes.gzipped < 3 * 1024, `minified and gzipped ${sizes.gzipped} bytes`);
  // The minified script still defines the one global and nothing else.
  const window = {};
  new Function('window', 'document', code)(window, {});
  assert.deepEqual(Object.keys(window), ['awkmanbSPM']);
});
