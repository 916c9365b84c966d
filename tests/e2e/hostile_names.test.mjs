// Every kind of gallery folioscope-cli writes, built from pictures whose names and hints are
// hostile, served over plain HTTP the way web hosts serve them (text/html without a charset)
// and visited page by page in Chromium. A visitor must meet no broken picture or link, no
// script smuggled in by a name, no page read in the wrong encoding, and alt texts that say
// what the picture is.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { copyFileSync, mkdirSync, mkdtempSync, readdirSync, rmSync, writeFileSync }
  from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, dirname, extname, join } from 'node:path';
import { launchChromium } from '../browser/launchChromium.mjs';
import { seriousViolations } from '../browser/accessibility.mjs';
import { serveFolder } from '../browser/serveFolder.mjs';

// Each smuggled script sets window.__pwned to its own number, so a fault names its source.
// Pictures added as a folder, shown under their names: [file name, example copied].
const namedPictures = [
  ['hash #1.jpg', 'dusk.jpg'], ['what?.jpg', 'lake.jpg'], ['100%.bmp', 'desert.bmp'],
  ['a&b.png', 'meadow.png'], ['<b>bold.jpg', 'tower.jpg'], ['with space.jpg', 'dusk.jpg'],
  ['Åsa_&_Jürgen.jpg'.normalize('NFC'), 'lake.jpg'],
  ['Ærø Ölfjärd.jpg'.normalize('NFD'), 'tower.jpg'],
  [`long ${'ä'.repeat(95)}.jpg`, 'dusk.jpg'], // about 200 bytes
  ['x"onerror="window.__pwned=1".jpg', 'lake.jpg'],
  ["y'onerror='window.__pwned=2'<script>.jpg", 'tower.jpg'],
];
// Pictures of an image set: [name, example copied, hint]. An empty hint shows the name.
const setPictures = [
  ['Say "cheese".jpg', 'dusk.jpg', 'say "hi" & <b>bye</b>'],
  ["it's.jpg", 'lake.jpg', '<img src=x onerror="window.__pwned=3">'],
  ['a+b=c;d.jpg', 'tower.jpg', '" onmouseover="window.__pwned=4'],
  ['-leading dash.jpg', 'dusk.jpg', ''],
];
// A folder tree: [folder, picture, example]. The top and "only subs" hold folders only.
const treePictures = [
  ['Sommer #2', 'hash #1.jpg', 'dusk.jpg'],
  ['Sommer #2/Tag 1?', 'a&b.png', 'meadow.png'],
  ['only subs/Åsa & Jürgen', 'Say "cheese".jpg', 'lake.jpg'],
  ['only subs/100%', 'x"onerror="window.__pwned=5".jpg', 'tower.jpg'],
  ['only subs/<b>x" onmouseover="window.__pwned=6', "it's.jpg", 'dusk.jpg'],
];

const pageSizes = ['--set', 'TABLEROWS=2', '--set', 'TABLECOLS=3', '--set', 'LISTROWS=6'];
const layouts = ['table', 'list', 'paragraph', 'slideshow', 'collage'];
const templates = ['Classic', 'Modern', 'Frames', 'Slideshow'];
// [gallery folder, arguments of the build]
const galleries = [
  ...layouts.flatMap((style) => [true, false].map((pages) => [
    `${style}${pages ? '-pages' : ''}`,
    ['--set', `STYLE=${style}`, '--set', `USEIMAGEASHTML=${pages}`, ...pageSizes]])),
  // The frame strip is one long page by design.
  ...templates.map((name) => [name, ['--template', name,
    ...(name === 'Frames' ? [] : pageSizes)]]),
];
const hints = new Map(setPictures.filter(([, , hint]) => hint)
  .map(([name, , hint]) => [basename(name, extname(name)), hint]));
// The slide show's own messages when a button goes past either end.
const slideShowMessage = /^Already at (first|last) image\.$/;
// The thumbnail suffixes of galleries and of folder-tree galleries.
const thumbSuffix = /(_fsc)?_th$/;

let root, server, origin, browser;

function run(args) {
  execFileSync(process.env.FSC_CLI, args, {
    env: {
      ...process.env,
      XDG_STATE_HOME: join(root, 'state'), XDG_CONFIG_HOME: join(root, 'config'),
      FOLIOSCOPE_DATA_DIR: process.env.FSC_DATA_DIR,
    },
    stdio: ['ignore', 'ignore', 'pipe'],
  });
}

function copyExample(example, folder, name) {
  mkdirSync(folder, { recursive: true });
  copyFileSync(join(process.env.FSC_EXAMPLES, example), join(folder, name));
}

// An image set as the program writes it: numbered tag pairs, the last picture first.
function writeImageSet(file, folder) {
  const blocks = setPictures.map(([name, , hint], i) => {
    const fields = [['FileName', join(folder, name)], ['Name', name], ['Link', name],
      ['ThumbName', ''], ['Hint', hint], ['Description', ''], ['FieldA', ''], ['FieldB', ''],
      ['FieldC', ''], ['noImage', 'FALSE'], ['useOtherLink', 'FALSE'], ['OtherLink', '']];
    return fields.map(([tag, value]) => `<#THUMB${i}${tag}#>${value}<#THUMB${i}${tag}END#>`)
      .join('');
  });
  writeFileSync(file, `${blocks.reverse().join('\r\n')}\r\n`);
}

function makeGalleries() {
  const named = join(root, 'fixture', 'named');
  const inSet = join(root, 'fixture', 'set');
  const setFile = join(root, 'fixture', 'hints.set');
  for (const [name, example] of namedPictures) copyExample(example, named, name);
  for (const [name, example] of setPictures) copyExample(example, inSet, name);
  writeImageSet(setFile, inSet);
  for (const [folder, args] of galleries) {
    run(['build', '--quiet', '--yes', '--images', named, '--image-set', setFile,
      '--html-dir', join(root, 'site', folder), '--html-file', 'index.html', ...args]);
  }
  for (const [folder, name, example] of treePictures) {
    copyExample(example, join(root, 'site', 'tree', folder), name);
  }
  run(['tree', join(root, 'site', 'tree'), '--file', 'index.html', '--yes', '--quiet']);
}

before(async () => {
  assert.ok(process.env.FSC_CLI, 'FSC_CLI names folioscope-cli');
  root = mkdtempSync(join(tmpdir(), 'fsc-hostile-'));
  makeGalleries();
  server = await serveFolder(join(root, 'site'));
  origin = server.origin;
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  server?.stop();
  if (root) rmSync(root, { recursive: true, force: true });
});

const pageAddress = (path) => `${origin}/${path.split('/').map(encodeURIComponent).join('/')}`;
const sitePath = (address) => decodeURIComponent(new URL(address).pathname).slice(1);
const ownAddress = (address) => address.startsWith(`${origin}/`);
const withoutFragment = (address) => address.replace(/#.*/, '');

// What a visitor finds in one gallery: its picture files (copies and thumbnails, by their
// path in the site) and the hints of its pictures.
function galleryOf(folder) {
  const stem = (file) => basename(file, '.jpg').replace(thumbSuffix, '');
  const files = readdirSync(join(root, 'site', folder), { recursive: true })
    .filter((file) => extname(file) === '.jpg');
  const shown = new Set(files.filter((file) => thumbSuffix.test(basename(file, '.jpg')))
    .map(stem));
  return {
    folder,
    pictures: new Set(files.filter((file) => shown.has(stem(file)))
      .map((file) => `${folder}/${file}`)),
    hints: folder === 'tree' ? new Map() : hints,
  };
}

// The alt a picture file should have: its hint, else its name as the gallery shows it.
function expectedAlt(gallery, file) {
  const stem = basename(file, extname(file)).replace(thumbSuffix, '');
  return gallery.hints.get(stem) ?? stem.replaceAll('_', ' ');
}

// A folder-tree page shows each subfolder gallery by a cover named after the subfolder, whose
// alt is that subfolder's name as it stands.
function isCoverAlt(gallery, file, alt) {
  if (gallery.folder !== 'tree') return false;
  return readdirSync(join(root, 'site', dirname(file)), { withFileTypes: true })
    .some((entry) => entry.isDirectory() && entry.name === alt);
}

// The status of an address, asked once per address.
const statuses = new Map();
function statusOf(address) {
  if (!statuses.has(address)) {
    statuses.set(address, fetch(address, { method: 'HEAD' }).then((r) => r.status));
  }
  return statuses.get(address);
}

// Every address of this site the page names in a src or href.
async function references(page) {
  const all = await page.evaluate(() => [...document.querySelectorAll(
    'img[src], iframe[src], frame[src], script[src], a[href], area[href], link[href]')]
    .map((el) => {
      const attribute = el.hasAttribute('src') ? 'src' : 'href';
      return { text: `${el.tagName.toLowerCase()} ${attribute}="${el.getAttribute(attribute)}"`,
        address: el[attribute].replace(/#.*/, '') };
    }));
  return all.filter((ref) => ownAddress(ref.address)); // not javascript:, not other hosts
}

async function checkReferences(page, broken, fault) {
  const refs = await references(page);
  const answers = await Promise.all(refs.map((ref) => statusOf(ref.address)));
  refs.forEach((ref, i) => {
    if (answers[i] === 200) return;
    broken.add(ref.address);
    fault(`${ref.text} answers ${answers[i]}`);
  });
}

// Runs what a name or hint might have smuggled into an attribute: lazy pictures load (and
// fail) and the pointer passes over every element.
async function provokeHandlers(page) {
  await page.evaluate(() => {
    for (const img of document.images) img.loading = 'eager';
    for (const el of document.querySelectorAll('*')) {
      for (const type of ['mouseover', 'mouseenter', 'focus']) {
        el.dispatchEvent(new Event(type, { bubbles: type === 'mouseover' }));
      }
    }
  });
  await page.waitForFunction(() => [...document.images].every((img) => img.complete),
    null, { timeout: 5000 }).catch(() => {});
}

async function checkAlts(page, gallery, fault) {
  const shown = await page.evaluate(() => [...document.images].map((img) => ({
    src: img.src, written: img.getAttribute('src'),
    alt: img.hasAttribute('alt') ? img.alt : null,
  })));
  for (const img of shown) {
    if (!ownAddress(img.src) || !gallery.pictures.has(sitePath(img.src))) continue;
    const want = expectedAlt(gallery, sitePath(img.src));
    if (img.alt === want || isCoverAlt(gallery, sitePath(img.src), img.alt)) continue;
    const has = img.alt === null ? 'no alt' : `alt ${JSON.stringify(img.alt)}`;
    fault(`img src="${img.written}" has ${has}, not ${JSON.stringify(want)}`);
  }
}

// The slide show changes one picture in place: each slide is checked as it is shown.
async function stepThroughSlides(page, gallery, fault) {
  const next = await page.$('input[value=Next]');
  if (!next) return;
  if (!(await page.$('img[name=FSCBild]'))) {
    fault('the slide show shows no picture');
    return;
  }
  const seen = new Set();
  for (;;) {
    const src = await page.$eval('img[name=FSCBild]', (img) => img.src);
    if (seen.has(src)) break;
    seen.add(src);
    await page.waitForFunction(() => document.images.FSCBild.complete, null, { timeout: 5000 })
      .catch(() => {});
    await checkAlts(page, gallery, fault);
    // A show may switch Next off at its last slide rather than announce the end.
    if (await next.isDisabled()) break;
    await next.click();
  }
}

// Watches what the page itself (not its frames) asks the server for and what it says.
function watch(page, fault) {
  const requests = [];
  page.on('pageerror', (error) => fault(`script error: ${error.message.split('\n')[0]}`));
  page.on('dialog', (dialog) => {
    if (!slideShowMessage.test(dialog.message())) fault(`message box "${dialog.message()}"`);
    dialog.dismiss().catch(() => {});
  });
  const own = (request) => request.frame() === page.mainFrame() && ownAddress(request.url());
  page.on('requestfinished', (request) => {
    if (own(request)) {
      requests.push(request.response().then((answer) => [request.url(), answer?.status()]));
    }
  });
  page.on('requestfailed', (request) => {
    if (own(request)) requests.push([request.url(), request.failure()?.errorText]);
  });
  return requests;
}

async function checkPage(context, gallery, file, faults) {
  // Long runs of one letter are shortened, so that a fault fits on a line.
  const fault = (what) => faults.add(`${gallery.folder}/${file}: ${what}`
    .replace(/(.{1,3}?)\1{4,}/gu, '$1$1…'));
  const page = await context.newPage();
  const requests = watch(page, fault);
  await page.goto(pageAddress(`${gallery.folder}/${file}`));
  const state = await page.evaluate(() => ({
    charset: document.characterSet, mode: document.compatMode }));
  if (state.charset !== 'UTF-8') fault(`read as ${state.charset}`);
  if (state.mode !== 'CSS1Compat') fault('in quirks mode');
  const broken = new Set();
  await checkReferences(page, broken, fault);
  await provokeHandlers(page);
  await checkAlts(page, gallery, fault);
  await stepThroughSlides(page, gallery, fault);
  for (const violation of await seriousViolations(page)) fault(`axe ${violation}`);
  const pwned = await page.evaluate(() => window.__pwned);
  if (pwned !== undefined) fault(`ran smuggled script (window.__pwned=${pwned})`);
  for (const [address, answer] of await Promise.all(requests)) {
    if (answer === 200 || broken.has(withoutFragment(address))) continue;
    broken.add(withoutFragment(address));
    fault(`request for ${sitePath(address)} answered ${answer}`);
  }
  await page.close();
}

test('every page of every gallery works over HTTP with hostile names and hints', async () => {
  const faults = new Set();
  const work = [...galleries.map(([name]) => name), 'tree'].flatMap((folder) => {
    const gallery = galleryOf(folder);
    return readdirSync(join(root, 'site', folder), { recursive: true })
      .filter((file) => file.endsWith('.html')).map((file) => [gallery, file]);
  });
  // Two visitors at a time, one per core, each in a browser context of its own.
  await Promise.all([0, 1].map(async () => {
    const context = await browser.newContext();
    for (let job = work.shift(); job; job = work.shift()) await checkPage(context, ...job, faults);
    await context.close();
  }));
  const list = [...faults].sort();
  assert.ok(list.length === 0, `${list.length} faults:\n${list.join('\n')}`);
});
