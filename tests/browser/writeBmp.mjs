import { writeFileSync } from 'node:fs';

// A 24-bit BMP with smooth colour bands: a picture of any size for a gallery test, with no
// picture library needed to make it.
export function writeBmp(file, width, height) {
  const rowBytes = Math.ceil((width * 3) / 4) * 4;
  const data = Buffer.alloc(54 + rowBytes * height);
  data.write('BM', 0);
  data.writeUInt32LE(data.length, 2);
  data.writeUInt32LE(54, 10);
  data.writeUInt32LE(40, 14);
  data.writeInt32LE(width, 18);
  data.writeInt32LE(height, 22);
  data.writeUInt16LE(1, 26);
  data.writeUInt16LE(24, 28);
  data.writeUInt32LE(rowBytes * height, 34);
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      const at = 54 + y * rowBytes + x * 3;
      data[at] = (x * 255) / width;
      data[at + 1] = (y * 255) / height;
      data[at + 2] = ((x + y) * 7) % 256;
    }
  }
  writeFileSync(file, data);
}
