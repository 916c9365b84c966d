// The shipped templates' lightbox and colour themes, served over HTTP to Chromium: a click
// on a thumbnail opens the picture over the page, where it zooms, moves with the keys and a
// swipe, and closes with Escape back to the thumbnail it showed last; without JavaScript the
// thumbnail still leads to the picture's page. The pages follow the visitor's light or dark
// preference unless the gallery holds one.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launchChromium } from '../browser/launchChromium.mjs';
import { serveFolder } from '../browser/serveFolder.mjs';
import { writeBmp } from '../browser/writeBmp.mjs';

let root, server, browser;
// A name that is markup and needs escaping everywhere: it must show as text in the caption.
const hostile = 'zebra <b>bold<b> & "quoted"';
const pictures = ['desert', 'dusk', hostile];

function build(template, folder, ...args) {
  execFileSync(process.env.FSC_CLI, [
    'build', '--quiet', '--yes', '--images', join(root, 'pictures'),
    '--html-dir', join(root, 'site', folder), '--html-file', 'index.html',
    '--template', template, ...args,
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
  root = mkdtempSync(join(tmpdir(), 'fsc-lightbox-'));
  mkdirSync(join(root, 'pictures'));
  // Larger than the window, so that the lightbox can zoom in.
  for (const name of pictures) writeBmp(join(root, 'pictures', `${name}.bmp`), 1800, 1200);
  for (const template of ['Classic', 'Modern', 'Frames', 'Slideshow']) build(template, template);
  build('Modern', 'ModernLight', '--param', 'Colour theme (auto, light, dark)=light');
  build('Modern', 'ModernDark', '--param', 'Colour theme (auto, light, dark)=dark');
  server = await serveFolder(join(root, 'site'));
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  server?.stop();
  if (root) rmSync(root, { recursive: true, force: true });
});

async function open(path, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 }, ...options });
  const page = await context.newPage();
  const failures = [];
  page.on('pageerror', (error) => failures.push(error.message));
  await page.goto(`${server.origin}/${path}`);
  return { page, failures, close: () => context.close() };
}

// What the lightbox shows: the picture's file and the caption, or null while it is closed.
const lightbox = (page) => page.evaluate(() => {
  const root = document.querySelector('.pswp');
  if (!root) return null;
  const picture = root.querySelector('.pswp__item:not([aria-hidden="true"]) img.pswp__img');
  return {
    file: picture ? decodeURIComponent(picture.currentSrc.replace(/.*\//, '')) : '',
    caption: root.querySelector('.pswp__caption')?.textContent.trim() ?? '',
    zoomed: root.classList.contains('pswp--zoomed-in'),
  };
});

// Waits until the lightbox shows the picture `name` and has stopped moving: keys wait for
// the end of its opening, when its backdrop has faded in.
async function shows(page, name) {
  await page.waitForFunction((wanted) => {
    const caption = document.querySelector('.pswp__caption');
    const backdrop = document.querySelector('.pswp__bg');
    return caption && caption.textContent.trim().startsWith(wanted) &&
      getComputedStyle(backdrop).opacity === '0.8' &&
      getComputedStyle(document.querySelector('.pswp')).opacity === '1' &&
      !document.getAnimations().some((animation) => animation instanceof CSSTransition);
  }, name);
  return lightbox(page);
}

test('a thumbnail opens the lightbox, which zooms, moves with keys and a swipe, and closes', async () => {
  for (const template of ['Classic', 'Modern']) {
    // A window smaller than the copies, so that there is something to zoom into.
    const { page, failures, close } = await open(`${template}/index.html`,
      { viewport: { width: 800, height: 600 } });
    await page.click('a[data-pswp-src] >> nth=1');
    const opened = await shows(page, 'dusk');
    assert.ok(opened.file.startsWith('dusk'), `${template} shows ${opened.file}`);
    assert.ok(page.url().endsWith('/index.html'), `${template}: the page stays: ${page.url()}`);

    await page.keyboard.press('ArrowRight');
    // The name is the picture's text: a markup name shows as written, with no <b> made.
    const named = await shows(page, 'zebra');
    assert.ok(named.caption.startsWith(hostile), `${template}: ${named.caption}`);
    assert.equal(await page.$$eval('.pswp__caption b', (all) => all.length), 0);

    await page.keyboard.press('z');
    await page.waitForFunction(() => document.querySelector('.pswp--zoomed-in'));
    await page.keyboard.press('z');
    await page.waitForFunction(() => !document.querySelector('.pswp--zoomed-in'));

    // A drag to the right, as a finger swipes, goes back one picture.
    const box = await page.locator('.pswp').boundingBox();
    await page.mouse.move(box.width / 2, box.height / 2);
    await page.mouse.down();
    await page.mouse.move(box.width / 2 + 150, box.height / 2, { steps: 8 });
    await page.mouse.move(box.width / 2 + 400, box.height / 2, { steps: 8 });
    await page.mouse.up();
    await shows(page, 'dusk');

    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.querySelector('.pswp'));
    const focused = await page.evaluate(() => document.activeElement.getAttribute('href'));
    assert.equal(focused, 'images/image_dusk.jpg.html', `${template}: focus back on the thumbnail`);
    assert.deepEqual(failures, [], template);
    await close();
  }
});

test('the Frames lightbox covers the whole window and returns to the strip', async () => {
  const { page, failures, close } = await open('Frames/index.html');
  const strip = page.frameLocator('iframe[name=thumbs]');
  await strip.locator('a[data-pswp-src]').first().click();
  const opened = await shows(page, 'desert');
  assert.ok(opened.file.startsWith('desert'));
  const box = await page.locator('.pswp').boundingBox();
  assert.deepEqual([box.width, box.height], [1280, 900]);
  await page.keyboard.press('ArrowRight');
  await shows(page, 'dusk');
  await page.keyboard.press('Escape');
  await page.waitForFunction(() => !document.querySelector('.pswp'));
  const focused = await page.frame({ name: 'thumbs' })
    .evaluate(() => document.activeElement.getAttribute('href'));
  assert.equal(focused, 'images/image_dusk.jpg.html');
  assert.equal(await page.frame({ name: 'view' }).evaluate(() => location.pathname),
    '/Frames/welcome.html', 'the picture frame keeps its page');
  assert.deepEqual(failures, []);
  await close();
});

test('without JavaScript a thumbnail leads to the picture page', async () => {
  const { page, close } = await open('Modern/index.html', { javaScriptEnabled: false });
  await page.click('a[data-pswp-src] >> nth=1');
  await page.waitForURL((address) => address.pathname.endsWith('/images/image_dusk.jpg.html'));
  await close();
});

test('the first row of thumbnails loads at once, the rest lazily', async () => {
  const { page, close } = await open('Modern/index.html');
  const loading = await page.$$eval('ul.grid img', (all) => all.map((img) => img.loading));
  assert.deepEqual(loading, ['eager', 'eager', 'eager']);
  await close();
});

// The colours a page is drawn in: the body's background and text.
const colours = (page) => page.evaluate(() => {
  const style = getComputedStyle(document.body);
  return [style.backgroundColor, style.color];
});

test('every shipped template follows the light or dark preference', async () => {
  for (const [template, path] of [['Classic', 'index.html'], ['Modern', 'index.html'],
    ['Frames', 'welcome.html'], ['Slideshow', 'index.html'],
    ['Modern', 'images/image_dusk.jpg.html']]) {
    const seen = {};
    for (const colorScheme of ['light', 'dark']) {
      const { page, close } = await open(`${template}/${path}`, { colorScheme });
      seen[colorScheme] = await colours(page);
      await close();
    }
    assert.notDeepEqual(seen.light, seen.dark, `${template}/${path}`);
    const luminance = (rgb) => rgb.match(/\d+/g).slice(0, 3).reduce((a, b) => a + Number(b), 0);
    assert.ok(luminance(seen.light[0]) > luminance(seen.dark[0]),
      `${template}/${path}: light ${seen.light[0]}, dark ${seen.dark[0]}`);
  }
});

test('a gallery built with a theme keeps it whatever the visitor prefers', async () => {
  for (const [folder, colour] of [['ModernLight', 'rgb(246, 244, 240)'],
    ['ModernDark', 'rgb(18, 20, 23)']]) {
    for (const colorScheme of ['light', 'dark']) {
      const { page, close } = await open(`${folder}/index.html`, { colorScheme });
      assert.equal((await colours(page))[0], colour, `${folder} seen as ${colorScheme}`);
      await close();
    }
  }
});
