// Galleries built by folioscope-cli with each shipped template, used in Chromium the way
// visitors use them: with a screen reader's eyes (axe), the keyboard, a finger, and with
// JavaScript switched off.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, relative } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from '../browser/launchChromium.mjs';
import { seriousViolations } from '../browser/accessibility.mjs';
import { serveFolder } from '../browser/serveFolder.mjs';

const templates = ['Classic', 'Modern', 'Frames', 'Slideshow'];
// Classic gets two thumbnail pages, so that their page links are checked as well; Modern
// shrinks its copies, so that the pages give the sizes of shrunk copies.
const settings = {
  Classic: ['--set', 'TABLEROWS=2', '--set', 'TABLECOLS=2'],
  Modern: ['--set', 'IMAGEWIDTH=200', '--set', 'IMAGEHEIGHT=200'],
};
// The examples without their extensions: the alt texts of pictures that have no hint.
const names = ['desert', 'dusk', 'lake', 'meadow', 'tower'];
let folder, browser, server;

const gallery = (template, ...path) => join(folder, template, ...path);
const url = (template, ...path) => pathToFileURL(gallery(template, ...path)).href;

function pagesBelow(dir) {
  return readdirSync(dir, { recursive: true })
    .filter((name) => name.endsWith('.html'))
    .map((name) => join(dir, name))
    .sort();
}

before(async () => {
  assert.ok(process.env.FSC_CLI, 'FSC_CLI names folioscope-cli');
  folder = mkdtempSync(join(tmpdir(), 'fsc-shipped-'));
  for (const template of templates) {
    execFileSync(process.env.FSC_CLI, [
      'build', '--quiet', '--images', process.env.FSC_EXAMPLES, '--template', template,
      '--html-dir', gallery(template), '--html-file', 'index.html',
      ...(settings[template] ?? []),
    ], {
      env: {
        ...process.env,
        XDG_STATE_HOME: join(folder, 'state'), XDG_CONFIG_HOME: join(folder, 'config'),
        FOLIOSCOPE_DATA_DIR: process.env.FSC_DATA_DIR,
      },
    });
  }
  browser = await launchChromium();
  // The Frames template is also visited as a web host serves it.
  server = await serveFolder(folder);
});

after(async () => {
  await browser?.close();
  server?.stop();
  if (folder) rmSync(folder, { recursive: true, force: true });
});

async function openPage(address, options = {}) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  page.on('dialog', (dialog) => assert.fail(`unexpected message box: ${dialog.message()}`));
  await page.goto(address);
  return page;
}

// Waits until the page shows `file` (a path ending) after a key, a swipe or a click.
const arrivesAt = (page, file) => page.waitForURL((address) => address.pathname.endsWith(file));

test('no page of any shipped template has a serious or critical accessibility fault, light or dark', async () => {
  const faults = [];
  for (const colorScheme of ['light', 'dark']) {
    for (const template of templates) {
      for (const file of pagesBelow(gallery(template))) {
        const page = await openPage(pathToFileURL(file).href, { colorScheme });
        for (const fault of await seriousViolations(page)) {
          faults.push(`${template}/${relative(gallery(template), file)} (${colorScheme}): ${fault}`);
        }
        await page.context().close();
      }
    }
  }
  assert.deepEqual(faults, []);
});

test('thumbnails below the first row load lazily, at their own size, named by the pictures', async () => {
  // Classic's first row holds two pictures; a list's first six count as its first row.
  const firstRow = { Classic: 2, Modern: 6, Frames: 6 };
  for (const [template, file, shown] of [['Classic', 'index.html', names.slice(0, 4)],
    ['Classic', 'index2.html', names.slice(4)], ['Modern', 'index.html', names],
    ['Frames', 'thumbs.html', names]]) {
    const page = await openPage(url(template, file));
    await page.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
    await page.waitForFunction(() => [...document.images].every((img) => img.complete));
    const thumbs = await page.$$eval('img', (all) => all.map((img) => ({
      loading: img.getAttribute('loading'), alt: img.alt,
      width: img.getAttribute('width'), height: img.getAttribute('height'),
      naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight,
    })));
    assert.deepEqual(thumbs.map((img) => img.alt), shown, template);
    for (const [place, img] of thumbs.entries()) {
      assert.equal(img.loading, place < firstRow[template] ? 'eager' : 'lazy',
        `${template}: ${img.alt}`);
      assert.ok(img.naturalWidth > 0, `${template}: ${img.alt} was loaded`);
      assert.deepEqual([Number(img.width), Number(img.height)],
        [img.naturalWidth, img.naturalHeight], `${template}: ${img.alt}`);
    }
    await page.context().close();
  }
});

test('picture pages size the picture, name it, and fetch the next one ahead', async () => {
  for (const template of ['Classic', 'Modern', 'Frames']) {
    const page = await openPage(url(template, 'images', 'image_dusk.jpg.html'));
    await page.waitForFunction(() => document.images[0].complete);
    const picture = await page.$eval('img', (img) => ({
      alt: img.alt, width: img.getAttribute('width'), height: img.getAttribute('height'),
      naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight,
      loading: img.getAttribute('loading'),
    }));
    assert.equal(picture.alt, 'dusk', template);
    assert.ok(picture.naturalWidth > 0, template);
    assert.deepEqual([Number(picture.width), Number(picture.height)],
      [picture.naturalWidth, picture.naturalHeight], template);
    assert.equal(picture.naturalWidth, template === 'Modern' ? 200 : 240, template);
    assert.equal(picture.loading, null, `${template}: the picture itself loads at once`);
    assert.match(await page.$eval('figcaption, .classic-caption', (c) => c.textContent),
      /^dusk\b/, template);
    const ahead = await page.$eval('link[rel=prefetch]', (link) => link.href);
    assert.ok(ahead.endsWith('/images/lake.jpg'), `${template} fetches ${ahead}`);
    await page.context().close();
  }
});

test('arrow keys move between pictures and Escape leaves the picture', async () => {
  const leaves = { Classic: '/index.html', Modern: '/index.html', Frames: '/welcome.html' };
  for (const template of ['Classic', 'Modern', 'Frames']) {
    const page = await openPage(url(template, 'images', 'image_dusk.jpg.html'));
    await page.keyboard.press('ArrowRight');
    await arrivesAt(page, '/image_lake.jpg.html');
    await page.keyboard.press('ArrowLeft');
    await arrivesAt(page, '/image_dusk.jpg.html');
    await page.keyboard.press('ArrowLeft');
    await arrivesAt(page, '/image_desert.jpg.html');
    // The first picture has no previous one: the key does nothing.
    await page.keyboard.press('ArrowLeft');
    await page.waitForTimeout(300);
    assert.ok(page.url().endsWith('/image_desert.jpg.html'), `${template}: ${page.url()}`);
    await page.keyboard.press('Escape');
    await arrivesAt(page, leaves[template]);
    await page.context().close();
  }
  // A picture of the second thumbnail page goes back to that page.
  const page = await openPage(url('Classic', 'images', 'image_tower.jpg.html'));
  await page.keyboard.press('Escape');
  await arrivesAt(page, '/index2.html');
  await page.context().close();
});

// One finger moving from `fromX` to `toX` across the middle of the page.
function swipe(page, fromX, toX) {
  return page.evaluate(([x0, x1]) => {
    const at = (x) => new Touch({ identifier: 1, target: document.body, clientX: x, clientY: 200 });
    document.body.dispatchEvent(new TouchEvent('touchstart',
      { touches: [at(x0)], changedTouches: [at(x0)], bubbles: true, cancelable: true }));
    document.body.dispatchEvent(new TouchEvent('touchmove',
      { touches: [at(x1)], changedTouches: [at(x1)], bubbles: true, cancelable: true }));
    document.body.dispatchEvent(new TouchEvent('touchend',
      { touches: [], changedTouches: [at(x1)], bubbles: true, cancelable: true }));
  }, [fromX, toX]);
}

test('a swipe to the left shows the next picture, to the right the previous one', async () => {
  for (const template of ['Classic', 'Modern', 'Frames']) {
    const page = await openPage(url(template, 'images', 'image_dusk.jpg.html'),
      { hasTouch: true, isMobile: true, viewport: { width: 390, height: 700 } });
    // A small movement is no swipe.
    await swipe(page, 200, 180);
    await page.waitForTimeout(300);
    assert.ok(page.url().endsWith('/image_dusk.jpg.html'), `${template}: ${page.url()}`);
    await swipe(page, 300, 60);
    await arrivesAt(page, '/image_lake.jpg.html');
    await swipe(page, 60, 300);
    await arrivesAt(page, '/image_dusk.jpg.html');
    await page.context().close();
  }
});

test('the keyboard focus is visible', async () => {
  for (const [template, file] of [['Classic', 'index.html'], ['Modern', 'index.html'],
    ['Frames', 'thumbs.html'], ['Slideshow', 'index.html'],
    ['Modern', 'images/image_dusk.jpg.html']]) {
    const page = await openPage(url(template, file));
    await page.keyboard.press('Tab');
    const outline = await page.evaluate(() => {
      const style = getComputedStyle(document.activeElement);
      return { tag: document.activeElement.tagName, style: style.outlineStyle,
        width: parseFloat(style.outlineWidth) };
    });
    assert.notEqual(outline.tag, 'BODY', `${template}/${file}: Tab reaches a control`);
    assert.notEqual(outline.style, 'none', `${template}/${file}`);
    assert.ok(outline.width >= 2, `${template}/${file}: outline ${outline.width}px`);
    await page.context().close();
  }
});

test('without JavaScript the picture pages still link onwards and back', async () => {
  for (const template of ['Classic', 'Modern', 'Frames']) {
    const page = await openPage(url(template, 'images', 'image_dusk.jpg.html'),
      { javaScriptEnabled: false });
    await page.click('a[rel=next]');
    await arrivesAt(page, '/image_lake.jpg.html');
    await page.click('a[rel=prev]');
    await arrivesAt(page, '/image_dusk.jpg.html');
    await page.click('a.back');
    await arrivesAt(page, template === 'Frames' ? '/welcome.html' : '/index.html');
    await page.context().close();
  }
});

test('the slide show names its picture and moves by keys and swipes', async () => {
  const page = await openPage(url('Slideshow', 'index.html'), { hasTouch: true });
  const shown = () => page.$eval('img[name=FSCBild]', (img) => [img.getAttribute('src'), img.alt]);
  assert.deepEqual(await shown(), ['images/desert.jpg', 'desert']);
  await page.keyboard.press('ArrowRight');
  assert.deepEqual(await shown(), ['images/dusk.jpg', 'dusk']);
  await page.keyboard.press('End');
  assert.deepEqual(await shown(), ['images/tower.jpg', 'tower']);
  // At the last slide the key stays silent where the Next button announces the end.
  await page.keyboard.press('ArrowRight');
  assert.deepEqual(await shown(), ['images/tower.jpg', 'tower']);
  await swipe(page, 60, 300);
  assert.deepEqual(await shown(), ['images/meadow.jpg', 'meadow']);
  await swipe(page, 300, 60);
  assert.deepEqual(await shown(), ['images/tower.jpg', 'tower']);
  await page.keyboard.press('Home');
  assert.deepEqual(await shown(), ['images/desert.jpg', 'desert']);
  // At the first slide the buttons that lead further back are off, not a message box.
  assert.ok(await page.isDisabled('input[value=Prev]'));
  assert.ok(await page.isDisabled('input[value=First]'));
  await page.click('input[value=Next]');
  assert.deepEqual(await shown(), ['images/dusk.jpg', 'dusk']);
  assert.equal(await page.textContent('#FSCCaption'), 'dusk');
  await page.context().close();
});

test('without JavaScript the slide show is a list of links to its pictures', async () => {
  const page = await openPage(url('Slideshow', 'index.html'), { javaScriptEnabled: false });
  const links = await page.$$eval('#FSCSlides a', (all) => all.map((a) => a.textContent));
  assert.deepEqual(links, names);
  assert.equal(await page.locator('input[type=button]:visible').count(), 0, 'no dead buttons');
  await page.click('#FSCSlides a >> text=lake');
  await arrivesAt(page, '/images/lake.jpg');
  await page.context().close();
});

// Where each thumbnail of the Frames strip lies in its frame's document once it has been
// scrolled into view, and whether it then lies wholly inside the frame (to a pixel, as
// scrolling rounds).
function stripLayout(strip) {
  return strip.$$eval('li.strip img', (all) => all.map((img) => {
    img.scrollIntoView({ block: 'nearest', inline: 'nearest' });
    const box = img.getBoundingClientRect();
    const { clientWidth, clientHeight } = document.documentElement;
    return {
      alt: img.alt, left: box.left + scrollX, right: box.right + scrollX,
      top: box.top + scrollY, bottom: box.bottom + scrollY,
      inView: box.left >= -1 && box.top >= -1 && box.right <= clientWidth + 1 &&
        box.bottom <= clientHeight + 1,
    };
  }));
}

test('the Frames strip shows every thumbnail, down a window and across a phone', async () => {
  for (const [viewport, across] of [[{ width: 1366, height: 768 }, false],
    [{ width: 390, height: 700 }, true]]) {
    const page = await openPage(`${server.origin}/Frames/index.html`, { viewport });
    const strip = page.frame({ name: 'thumbs' });
    await strip.waitForLoadState();
    const thumbs = await stripLayout(strip);
    assert.deepEqual(thumbs.map((thumb) => thumb.alt), names, `${viewport.width}`);
    thumbs.forEach((thumb, i) => {
      assert.ok(thumb.inView, `${viewport.width}: ${thumb.alt} can be scrolled into view`);
      if (i === 0) return;
      const before = thumbs[i - 1];
      assert.ok(across ? thumb.left >= before.right : thumb.top >= before.bottom,
        `${viewport.width}: ${thumb.alt} follows ${before.alt} ${across ? 'across' : 'down'}`);
    });
    await page.context().close();
  }
});

test('a picture chosen in the Frames strip by mouse or keyboard opens over the page and answers the keys', async () => {
  for (const choose of ['click', 'keyboard']) {
    const page = await openPage(`${server.origin}/Frames/index.html`,
      { viewport: { width: 1366, height: 768 } });
    const strip = page.frame({ name: 'thumbs' });
    const shows = (name) => page.waitForFunction((wanted) => {
      const picture = document.querySelector('.pswp__item:not([aria-hidden="true"]) img');
      return picture?.alt === wanted && getComputedStyle(document.querySelector('.pswp')).opacity === '1' &&
        !document.getAnimations().some((animation) => animation instanceof CSSTransition);
    }, name);
    if (choose === 'click') {
      await strip.click('img[alt=dusk]');
    } else {
      // Tab goes through the thumbnails in order; Enter opens the one that has the focus.
      await page.keyboard.press('Tab');
      await page.keyboard.press('Tab');
      assert.equal(await strip.evaluate(() => document.activeElement.querySelector('img')?.alt),
        'dusk');
      await page.keyboard.press('Enter');
    }
    await shows('dusk');
    await page.keyboard.press('ArrowRight');
    await shows('lake');
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !document.querySelector('.pswp'));
    assert.equal(await strip.evaluate(() => document.activeElement.querySelector('img')?.alt),
      'lake', `${choose}: the strip goes on from the picture last shown`);
    await page.context().close();
  }
});
