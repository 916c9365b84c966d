#!/usr/bin/env node
// What visitors get from the shipped templates: Lighthouse's four scores on a phone, the
// bytes of each gallery's first page, and how sharp the thumbnails are on a 3x phone.
//
//   node bench/pages_lighthouse.mjs [--corpus bench/corpus] [--build build] [--runs 1]
//
// Builds a gallery of CORPUS/photos with each shipped template, serves the galleries with
// python's http.server on 127.0.0.1 and runs Lighthouse (installed by `npm ci --prefix
// bench/lighthouse`) in its default mobile emulation with Debian's Chromium on the first
// thumbnail page and on one picture page. With --runs N each page is measured N times and
// the median score kept. Prints a Markdown table and whether each goal holds: every score at
// least 95 (Frames 90), and thumbnails with as many pixels as a 3x screen shows (ratio 1.0).
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchChromium } from '../tests/browser/launchChromium.mjs';
import { serveFolder } from '../tests/browser/serveFolder.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const options = { corpus: join(here, 'corpus'), build: join(here, '..', 'build'), runs: 1 };
for (let i = 2; i < process.argv.length; i += 2) {
  const name = process.argv[i].replace(/^--/, '');
  if (!(name in options)) throw new Error(`unknown option ${process.argv[i]}`);
  options[name] = name === 'runs' ? Number(process.argv[i + 1]) : resolve(process.argv[i + 1]);
}

const cli = join(options.build, 'src', 'cli', 'folioscope-cli');
const lighthouse = join(here, 'lighthouse', 'node_modules', 'lighthouse', 'cli', 'index.js');
const chromium = process.env.FSC_CHROMIUM || '/usr/bin/chromium';
for (const [what, file] of [['folioscope-cli', cli], ['Lighthouse', lighthouse],
  ['Chromium', chromium], ['the photos', join(options.corpus, 'photos')]]) {
  if (!existsSync(file)) throw new Error(`${what} not found at ${file}`);
}

const templates = ['Classic', 'Modern', 'Frames', 'Slideshow'];
const goal = (template) => (template === 'Frames' ? 90 : 95);
const categories = ['performance', 'accessibility', 'best-practices', 'seo'];
const work = mkdtempSync(join(tmpdir(), 'fsc-lighthouse-'));

function buildGallery(template) {
  execFileSync(cli, ['build', '--quiet', '--yes', '--images', join(options.corpus, 'photos'),
    '--html-dir', join(work, 'site', template), '--html-file', 'index.html',
    '--template', template], {
    env: { ...process.env, XDG_STATE_HOME: join(work, 'state'),
      XDG_CONFIG_HOME: join(work, 'config') },
    stdio: ['ignore', 'ignore', 'inherit'],
  });
}

// The first picture page the gallery has, as a path below the gallery's folder.
function picturePage(template) {
  const folder = join(work, 'site', template, 'images');
  if (!existsSync(folder)) return null;
  const pages = readdirSync(folder).filter((name) => name.endsWith('.html')).sort();
  return pages.length ? `images/${pages[0]}` : null;
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

function runLighthouse(url) {
  const report = join(work, 'report.json');
  execFileSync(process.execPath, [lighthouse, url, '--quiet', '--output=json',
    `--output-path=${report}`, `--only-categories=${categories.join(',')}`,
    '--chrome-flags=--headless=new --no-sandbox --disable-gpu --no-first-run'],
  { env: { ...process.env, CHROME_PATH: chromium }, stdio: ['ignore', 'ignore', 'inherit'] });
  const result = JSON.parse(readFileSync(report, 'utf8'));
  return {
    scores: Object.fromEntries(categories.map((c) => [c, Math.round(result.categories[c].score * 100)])),
    bytes: result.audits['total-byte-weight'].numericValue,
    failing: categories.flatMap((c) => result.categories[c].auditRefs
      .filter((ref) => ref.weight > 0 && result.audits[ref.id].score !== null &&
        result.audits[ref.id].score < 0.9)
      .map((ref) => ref.id)),
  };
}

function measure(url) {
  const runs = Array.from({ length: options.runs }, () => runLighthouse(url));
  return {
    scores: Object.fromEntries(categories.map((c) => [c, median(runs.map((r) => r.scores[c]))])),
    bytes: median(runs.map((r) => r.bytes)),
    failing: [...new Set(runs.flatMap((r) => r.failing))],
  };
}

// Pixels the thumbnails' files have for each pixel a 390-point phone with three pixels to a
// point shows them with: 1.0 is sharp, below it the browser enlarges. The median over the
// page's thumbnails (the slide show's picture for the slide show).
async function thumbnailRatio(browser, url) {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 },
    deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  const page = await context.newPage();
  await page.goto(url);
  const target = page.frame({ name: 'thumbs' }) ?? page;
  await target.evaluate(() => { for (const img of document.images) img.loading = 'eager'; });
  await target.waitForFunction(() => [...document.images].every((img) => img.complete));
  // naturalWidth is divided by a srcset's density: the file's own pixels come from a plain
  // load. A picture cropped to its box (object-fit: cover) is enlarged by the larger ratio.
  const ratios = await target.evaluate(() => Promise.all([...document.images]
    .filter((img) => img.clientWidth > 0)
    .map(async (img) => {
      const file = new Image();
      file.src = img.currentSrc;
      await file.decode();
      const across = img.clientWidth / file.naturalWidth;
      const down = img.clientHeight / file.naturalHeight;
      const enlarged = getComputedStyle(img).objectFit === 'cover' ? Math.max(across, down) : across;
      return 1 / (enlarged * 3);
    })));
  await context.close();
  return ratios.length ? median(ratios) : NaN;
}

const rows = [];
let server, browser;
try {
  for (const template of templates) buildGallery(template);
  server = await serveFolder(join(work, 'site'));
  browser = await launchChromium();
  for (const template of templates) {
    const index = `${server.origin}/${template}/index.html`;
    const ratio = await thumbnailRatio(browser, index);
    const pages = [['index', index]];
    const picture = picturePage(template);
    if (picture) pages.push(['picture', `${server.origin}/${template}/${picture}`]);
    for (const [kind, url] of pages) {
      rows.push({ template, kind, ratio: kind === 'index' ? ratio : null, ...measure(url) });
    }
  }
} finally {
  await browser?.close();
  server?.stop();
  rmSync(work, { recursive: true, force: true });
}

console.log('| template | page | performance | accessibility | best practices | SEO | KB | 3x thumbnail ratio |');
console.log('|---|---|---|---|---|---|---|---|');
let met = true;
for (const row of rows) {
  const s = row.scores;
  console.log(`| ${row.template} | ${row.kind} | ${s.performance} | ${s.accessibility} | ` +
    `${s['best-practices']} | ${s.seo} | ${Math.round(row.bytes / 1024)} | ` +
    `${row.ratio === null ? '' : row.ratio.toFixed(2)} |`);
  const low = categories.filter((c) => s[c] < goal(row.template));
  if (low.length) {
    met = false;
    console.log(`  below ${goal(row.template)}: ${low.join(', ')}; audits under 0.9: ${row.failing.join(', ')}`);
  }
  if (row.ratio !== null && row.ratio < 0.99) {
    met = false;
    console.log(`  thumbnails of ${row.template} have ${row.ratio.toFixed(2)} of the pixels a 3x phone shows`);
  }
}
console.log(met ? 'Every goal holds.' : 'Some goals do not hold (above).');
process.exitCode = met ? 0 : 1;
