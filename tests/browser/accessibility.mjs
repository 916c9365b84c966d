// axe-core run inside a page that Chromium has opened: the violations a visitor with a screen
// reader, a keyboard or weak eyes would meet most.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core'), 'utf8');

// Serious and critical violations of the page, each as "rule: element, element ...".
// Frames are checked as pages of their own, so a frame set is checked without its frames.
export async function seriousViolations(page) {
  await page.addScriptTag({ content: axeSource });
  const violations = await page.evaluate(async () => {
    // eslint-disable-next-line no-undef
    const results = await axe.run(document, { iframes: false, resultTypes: ['violations'] });
    return results.violations.map((v) => ({
      id: v.id, impact: v.impact, targets: v.nodes.map((node) => node.target.join(' ')),
    }));
  });
  return violations
    .filter((v) => v.impact === 'serious' || v.impact === 'critical')
    .map((v) => `${v.id}: ${v.targets.join(', ')}`);
}
