// Galleries of the shipped templates offer every picture in several sizes and formats. Served
// over HTTP to Chromium as a phone with three pixels to a point and as a plain screen, the
// browser must find every file a srcset names at the size it is named with, pick the sharp
// thumbnails on the phone and the small copies on a narrow window, and show the JPEG when
// the gallery has no WebP or AVIF files (any more).
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launchChromium } from '../browser/launchChromium.mjs';
import { serveFolder } from '../browser/serveFolder.mjs';
import { writeBmp } from '../browser/writeBmp.mjs';

let root, server, browser;

function build(folder, ...args) {
  execFileSync(process.env.FSC_CLI, [
    'build', '--quiet', '--yes', '--images', join(root, 'pictures'),
    '--html-dir', join(root, 'site', folder), '--html-file', 'index.html',
    '--template', 'Modern', ...args,
  ], {
    env: {
      ...process.env,
      XDG_STATE_HOME: join(root, 'state'), XDG_CONFIG_HOME: join(root, 'config'),
      FOLIOSCOPE_DATA_DIR: process.env.FSC_DATA_DIR,
    },
    stdio: ['ignore', 'ignore', 'pipe'],
  });
}

before(async () => {
  assert.ok(process.env.FSC_CLI, 'FSC_CLI names folioscope-cli');
  root = mkdtempSync(join(tmpdir(), 'fsc-sizes-'));
  mkdirSync(join(root, 'pictures'));
  writeBmp(join(root, 'pictures', 'wide.bmp'), 1500, 1100);
  writeBmp(join(root, 'pictures', 'tall.bmp'), 1100, 1500);
  build('webp');
  build('avif', '--set', 'IMAGEAVIF=true');
  build('jpeg', '--set', 'IMAGEWEBP=false');
  // Built with WebP, then again without: the WebP files go, and the pages must not miss them.
  build('dropped');
  build('dropped', '--set', 'IMAGEWEBP=false');
  server = await serveFolder(join(root, 'site'));
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  server?.stop();
  if (root) rmSync(root, { recursive: true, force: true });
});

async function open(path, { scale = 1, width = 1280 } = {}) {
  const context = await browser.newContext({
    viewport: { width, height: 900 }, deviceScaleFactor: scale,
  });
  const page = await context.newPage();
  await page.goto(`${server.origin}/${path}`);
  await page.evaluate(() => { for (const img of document.images) img.loading = 'eager'; });
  await page.waitForFunction(() => [...document.images].every((img) => img.complete));
  return { page, close: () => context.close() };
}

// What the browser chose for every picture of the page.
const shown = (page) => page.$$eval('img', (all) => all.map((img) => ({
  chosen: decodeURIComponent(img.currentSrc.replace(/.*\//, '')),
  naturalWidth: img.naturalWidth, width: Number(img.getAttribute('width')),
})));

// Every candidate of every srcset on the page, with the width its file really has.
const candidates = (page) => page.evaluate(async () => {
  const lists = [...document.querySelectorAll('img[srcset], source[srcset]')]
    .map((el) => ({ type: el.getAttribute('type') ?? 'image/jpeg', srcset: el.srcset,
      width: Number((el.closest('picture') ?? el).querySelector('img').getAttribute('width')) }));
  const found = [];
  for (const { type, srcset, width } of lists) {
    for (const candidate of srcset.split(',')) {
      const [url, descriptor] = candidate.trim().split(/\s+/);
      const address = new URL(url, document.baseURI).href;
      const answer = await fetch(address);
      const picture = new Image();
      picture.src = address;
      const naturalWidth = await picture.decode().then(() => picture.naturalWidth, () => 0);
      found.push({ url, descriptor, type, width, status: answer.status,
        contentType: answer.headers.get('content-type'), naturalWidth });
    }
  }
  return found;
});

test('every srcset candidate is served at the size its descriptor names', async () => {
  for (const folder of ['webp', 'avif', 'jpeg']) {
    const pages = ['index.html', 'images/image_wide.jpg.html', 'images/image_tall.jpg.html'];
    for (const path of pages) {
      const { page, close } = await open(`${folder}/${path}`);
      const found = await candidates(page);
      await close();
      assert.ok(found.length >= 3, `${folder}/${path} offers several files: ${found.length}`);
      for (const c of found) {
        const where = `${folder}/${path}: ${c.url} ${c.descriptor}`;
        assert.equal(c.status, 200, where);
        assert.equal(c.contentType, c.type, where);
        if (c.descriptor.endsWith('w')) {
          assert.equal(`${c.naturalWidth}w`, c.descriptor, where);
        } else {
          const scale = Number.parseInt(c.descriptor, 10);
          assert.ok(Math.abs(c.naturalWidth - c.width * scale) <= 2,
            `${where} is ${c.naturalWidth} pixels wide for ${c.width} points`);
        }
      }
      const formats = new Set(found.map((c) => c.type));
      const expected = { webp: ['image/jpeg', 'image/webp'],
        avif: ['image/jpeg', 'image/webp', 'image/avif'], jpeg: ['image/jpeg'] }[folder];
      assert.deepEqual([...formats].sort(), expected.sort(), `${folder}/${path}`);
    }
  }
});

test('a phone with three pixels to a point gets the thumbnails made at three times the box',
  async () => {
    for (const [folder, format] of [['webp', 'webp'], ['avif', 'avif'], ['jpeg', 'jpg']]) {
      for (const [scale, suffix] of [[3, '_th-3x'], [1, '_th']]) {
        const { page, close } = await open(`${folder}/index.html`, { scale, width: 390 });
        const images = await shown(page);
        await close();
        assert.equal(images.length, 2);
        for (const img of images) {
          assert.match(img.chosen, new RegExp(`^(wide|tall)${suffix}\\.${format}$`),
            `${folder} at ${scale}x`);
          // A picture chosen by its density reports its size in points: it fills its box.
          assert.ok(Math.abs(img.naturalWidth - img.width) <= 1,
            `${img.chosen} is ${img.naturalWidth} points wide for a box of ${img.width}`);
        }
      }
    }
  });

test('a narrow window gets a small copy, a wide one the whole copy', async () => {
  for (const [scale, width, step] of [[1, 400, '-640'], [3, 400, '-1280'], [1, 1600, '']]) {
    const { page, close } = await open('webp/images/image_wide.jpg.html', { scale, width });
    const [img] = await shown(page);
    await close();
    assert.equal(img.chosen, `wide${step}.webp`, `${width} points at ${scale}x`);
  }
});

test('<picture> shows the JPEG when the gallery has no WebP or AVIF files', async () => {
  for (const folder of ['jpeg', 'dropped']) {
    const files = readdirSync(join(root, 'site', folder, 'images'));
    assert.ok(files.includes('wide_th-3x.jpg'), `${folder} has its sizes`);
    assert.deepEqual(files.filter((f) => /\.(webp|avif)$/.test(f)), [], `${folder} files`);
    const index = readFileSync(join(root, 'site', folder, 'index.html'), 'latin1');
    assert.ok(index.includes('<picture>') && !index.includes('<source'), index);
    for (const path of ['index.html', 'images/image_tall.jpg.html']) {
      const { page, close } = await open(`${folder}/${path}`, { scale: 2 });
      const images = await shown(page);
      await close();
      for (const img of images) {
        assert.match(img.chosen, /\.jpg$/, `${folder}/${path}`);
        assert.ok(img.naturalWidth > 0, `${folder}/${path}: ${img.chosen} is shown`);
      }
    }
  }
});
