// A collage gallery built by folioscope-cli works in a real browser: a click on a picture of
// the collage follows the link of the area under the pointer.
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
  folder = mkdtempSync(join(tmpdir(), 'fsc-collage-'));
  execFileSync(process.env.FSC_CLI, [
    'build', '--quiet', '--images', process.env.FSC_EXAMPLES,
    '--html-dir', join(folder, 'gallery'), '--html-file', 'index.html', '--template', 'none',
    '--set', 'STYLE=collage', '--set', 'COLLAGETYPE=table', '--set', 'TABLEROWS=2',
    '--set', 'TABLECOLS=3',
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
});

after(async () => {
  await browser?.close();
  if (folder) rmSync(folder, { recursive: true, force: true });
});

test('clicking an area of the collage opens the picture it names', async () => {
  const areas = await page.$$eval('map area', (all) => all.map((area) => ({
    href: area.href, coords: area.getAttribute('coords'), shape: area.getAttribute('shape'),
  })));
  assert.equal(areas.length, 5, 'one area for each example picture');
  const collage = await page.$('img[usemap]');
  assert.ok(collage, 'the collage picture uses the map');
  await collage.scrollIntoViewIfNeeded();
  const box = await collage.boundingBox();
  for (const area of [areas[0], areas[areas.length - 1]]) {
    const [x1, y1, x2, y2] = area.coords.split(',').map(Number);
    await Promise.all([
      page.waitForURL(area.href),
      page.mouse.click(box.x + (x1 + x2) / 2, box.y + (y1 + y2) / 2),
    ]);
    assert.equal(page.url(), area.href);
    assert.match(area.href, /images\/[a-z]+\.jpg$/);
    const shown = await page.evaluate(() => document.images[0]?.naturalWidth ?? document.body.innerHTML.length);
    assert.ok(shown > 0, 'the linked picture loads');
    await page.goBack();
  }
});
