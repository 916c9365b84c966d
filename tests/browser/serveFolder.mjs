// Serves a folder over HTTP on 127.0.0.1 with python's own server, as many people publish a
// gallery: it sends HTML as text/html without a charset, as nginx and Apache do by default.
import { spawn } from 'node:child_process';

// Resolves to { origin, stop } once the server listens on a free port.
export function serveFolder(folder) {
  return new Promise((resolve, reject) => {
    const child = spawn('/usr/bin/python3', ['-u', '-m', 'http.server', '0', '--bind',
      '127.0.0.1', '--directory', folder], { stdio: ['ignore', 'pipe', 'ignore'] });
    child.on('error', reject);
    child.on('exit', (code) => reject(new Error(`http.server ended with ${code}`)));
    child.stdout.on('data', (chunk) => {
      const port = /port (\d+)/.exec(chunk.toString())?.[1];
      if (port) resolve({ origin: `http://127.0.0.1:${port}`, stop: () => child.kill() });
    });
  });
}
