// The same copies and thumbnails a gallery build makes (within 800 x 800 and 150 x 150,
// JPEG quality 75), made by sharp in one process, two photos at a time: the fastest way a
// user of Node.js has to make them, measured beside folioscope-cli.
//   node make_copies.mjs OUT PHOTO...
import sharp from 'sharp';
import { join, basename } from 'node:path';

const [out, ...photos] = process.argv.slice(2);
// Each photo on one thread of libvips, two photos side by side: one per core of the machine
// the benchmark is written for, as folioscope-cli runs.
sharp.concurrency(1);
const atOnce = 2;

async function make(photo) {
  const name = basename(photo, '.jpg');
  const source = sharp(photo).rotate();
  await Promise.all([
    source.clone().resize(800, 800, { fit: 'inside', withoutEnlargement: true })
      .jpeg({ quality: 75 }).toFile(join(out, `${name}.jpg`)),
    source.clone().resize(150, 150, { fit: 'inside', withoutEnlargement: true })
      .jpeg({ quality: 75 }).toFile(join(out, `${name}_th.jpg`)),
  ]);
}

let next = 0;
async function worker() {
  while (next < photos.length) await make(photos[next++]);
}
await Promise.all(Array.from({ length: atOnce }, worker));
