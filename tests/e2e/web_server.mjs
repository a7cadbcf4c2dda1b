// A static file server for one folder on 127.0.0.1, on a port the system picks.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import path from 'node:path';

const ContentTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
};

// Maps a request path onto a file inside root, or null when it would leave root.
export function fileForRequest(root, requestUrl) {
  const pathname = decodeURIComponent(new URL(requestUrl, 'http://localhost').pathname);
  const relative = pathname.endsWith('/') ? pathname + 'index.html' : pathname;
  const file = path.resolve(root, '.' + relative);
  return file.startsWith(path.resolve(root) + path.sep) ? file : null;
}

// Starts serving root; resolves to { server, origin }.
export function serveFolder(root) {
  const server = createServer(async (request, response) => {
    let file = null;
    try {
      file = fileForRequest(root, request.url);
    } catch {
      file = null; // a malformed escape in the path
    }
    if (file === null) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      const type = ContentTypes[path.extname(file)] ?? 'application/octet-stream';
      response.writeHead(200, { 'Content-Type': type }).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      resolve({ server, origin: `http://127.0.0.1:${server.address().port}` });
    });
  });
}
