// A web server on 127.0.0.1 for pages that need real HTTP headers: it serves
// files under a folder, and a page asked for with "?csp=NAME" comes with the
// Content-Security-Policy that POLICIES names.

import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const STRICT = "default-src 'self'; script-src 'self'; style-src 'self'";
export const POLICIES = {
  strict: STRICT,
  trusted: `${STRICT}; require-trusted-types-for 'script'; trusted-types lumeroll`,
};
const TYPES = { '.html': 'text/html', '.js': 'text/javascript' };

export async function serve(root) {
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, 'http://127.0.0.1');
    const file = path.join(root, decodeURIComponent(url.pathname));
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(url.pathname === '/favicon.ico' ? 204 : 404);
      res.end();
      return;
    }
    const headers = { 'content-type': TYPES[path.extname(file)] || 'application/octet-stream' };
    const policy = POLICIES[url.searchParams.get('csp')];
    if (policy) headers['content-security-policy'] = policy;
    res.writeHead(200, headers);
    res.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: (file) => `http://127.0.0.1:${server.address().port}/${path.relative(root, file).split(path.sep).join('/')}`,
    close() {
      server.closeAllConnections();
      return new Promise((resolve) => server.close(resolve));
    },
  };
}
