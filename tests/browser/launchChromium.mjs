// Starts Debian's Chromium headless for a test, with the flags a closed network needs.
import { chromium } from 'playwright-core';
import { existsSync } from 'node:fs';

const executablePath = process.env.FSC_CHROMIUM || '/usr/bin/chromium';

export async function launchChromium() {
  if (!existsSync(executablePath)) {
    throw new Error(`Chromium not found at ${executablePath}: run scripts/install-deps.sh`);
  }
  return chromium.launch({
    executablePath,
    args: [
      '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
    ],
  });
}
