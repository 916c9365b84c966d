// The generated slide show works in a real browser: buttons move through the images,
// the ends are announced, and the picture links where its slide says.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './launchChromium.mjs';

const writer = process.env.FSC_SLIDESHOW_WRITER;
let folder, browser, page, dialogs;

before(async () => {
  assert.ok(writer, 'FSC_SLIDESHOW_WRITER names the page writer');
  folder = mkdtempSync(join(tmpdir(), 'fsc-slides-'));
  execFileSync(writer, [folder]);
  browser = await launchChromium();
  page = await browser.newPage();
  dialogs = [];
  page.on('dialog', async (dialog) => { dialogs.push(dialog.message()); await dialog.accept(); });
  await page.goto(pathToFileURL(join(folder, 'index.html')).href);
});

after(async () => {
  await browser?.close();
  if (folder) rmSync(folder, { recursive: true, force: true });
});

const shown = () => page.evaluate(() => document.images['FSCBild'].getAttribute('src'));
const press = (label) => page.click(`input[type=button][value=${label}]`);

test('buttons walk through the images and announce both ends', async () => {
  assert.equal(await shown(), 'images/photo0.jpg');
  await press('Next');
  assert.equal(await shown(), 'images/photo1.jpg');
  await press('Last');
  assert.equal(await shown(), 'images/photo2.jpg');
  await press('Next');
  assert.equal(await shown(), 'images/photo2.jpg');
  assert.deepEqual(dialogs, ['Already at last image.']);
  await press('First');
  await press('Prev');
  assert.equal(await shown(), 'images/photo0.jpg');
  assert.deepEqual(dialogs, ['Already at last image.', 'Already at first image.']);
});

test('the picture follows the link of the slide shown', async () => {
  await press('Last');
  const target = await page.evaluate(() => lks[current]);
  assert.equal(target, 'https://example.invalid/elsewhere');
  await press('Prev');
  assert.equal(await page.evaluate(() => lks[current]), 'images/photo1.jpg');
  const [request] = await Promise.all([
    page.waitForRequest(() => true),
    page.click('#FSCLink'),
  ]);
  assert.match(request.url(), /images\/photo1\.jpg$/);
});
