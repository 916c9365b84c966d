// A gallery built by folioscope-cli with "Images = Thumbnails" draws every picture in the
// thumbnail box with its own proportions, in a real browser.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from '../browser/launchChromium.mjs';

let folder, browser, page;

before(async () => {
  assert.ok(process.env.FSC_CLI, 'FSC_CLI names folioscope-cli');
  folder = mkdtempSync(join(tmpdir(), 'fsc-thumbs-'));
  execFileSync(process.env.FSC_CLI, [
    'build', '--quiet', '--images', process.env.FSC_EXAMPLES,
    '--html-dir', join(folder, 'gallery'), '--html-file', 'index.html',
    '--set', 'STYLE=table', '--set', 'IMAGENOEXT=true',
    '--set', 'THUMBWIDTH=70', '--set', 'THUMBHEIGHT=70',
  ], {
    env: {
      ...process.env,
      XDG_STATE_HOME: join(folder, 'state'), XDG_CONFIG_HOME: join(folder, 'config'),
      FOLIOSCOPE_DATA_DIR: process.env.FSC_DATA_DIR,
    },
  });
  browser = await launchChromium();
  page = await browser.newPage();
  await page.goto(pathToFileURL(join(folder, 'gallery', 'index.html')).href);
  await page.waitForFunction(() => [...document.images].every((img) => img.complete));
});

after(async () => {
  await browser?.close();
  if (folder) rmSync(folder, { recursive: true, force: true });
});

test('every picture is drawn inside the box with its own proportions', async () => {
  const drawn = await page.$$eval('img', (all) => all.map((img) => ({
    src: img.getAttribute('src'), width: img.width, height: img.height,
    naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight,
  })));
  assert.equal(drawn.length, 5, 'one picture for each example');
  assert.ok(drawn.filter((img) => img.naturalWidth > 70 || img.naturalHeight > 70).length >= 3,
    'the pages show the pictures themselves, larger than the box');
  for (const img of drawn) {
    assert.ok(img.width <= 70 && img.height <= 70, `${img.src} drawn ${img.width} x ${img.height}`);
    if (img.naturalWidth > 70 || img.naturalHeight > 70) {
      assert.ok(img.width === 70 || img.height === 70, `${img.src} fills the box on one side`);
    }
    const expectedHeight = (img.width * img.naturalHeight) / img.naturalWidth;
    assert.ok(Math.abs(img.height - expectedHeight) <= 1,
      `${img.src} drawn ${img.width} x ${img.height}, the picture is ` +
      `${img.naturalWidth} x ${img.naturalHeight}`);
  }
});
