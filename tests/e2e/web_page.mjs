// Functions that run inside the page under test; each is self-contained because the driver
// sends its source text to the browser.

// Decodes an image (a data URL) and measures it: size, number of distinct colours, share of
// the most common colour, and the share of aligned 2x2 blocks whose four pixels are equal.
export async function analyseImage(dataUrl) {
  const bitmap = await createImageBitmap(await (await fetch(dataUrl)).blob());
  const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
  const context = canvas.getContext('2d');
  context.drawImage(bitmap, 0, 0);
  const { width, height } = bitmap;
  const pixels = new Uint32Array(context.getImageData(0, 0, width, height).data.buffer);
  const counts = new Map();
  for (const pixel of pixels) {
    counts.set(pixel, (counts.get(pixel) ?? 0) + 1);
  }
  let uniformBlocks = 0;
  for (let y = 0; y + 1 < height; y += 2) {
    for (let x = 0; x + 1 < width; x += 2) {
      const corner = pixels[y * width + x];
      const lower = (y + 1) * width + x;
      if (pixels[y * width + x + 1] === corner && pixels[lower] === corner &&
          pixels[lower + 1] === corner) {
        uniformBlocks += 1;
      }
    }
  }
  return {
    width,
    height,
    colours: counts.size,
    largestShare: Math.max(...counts.values()) / pixels.length,
    uniformBlockShare: uniformBlocks / (Math.floor(width / 2) * Math.floor(height / 2)),
  };
}

// Keeps a copy of what the canvas shows now, for changedShareAbove.
export function keepCanvasImage() {
  const canvas = document.getElementById('canvas');
  const image = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
  window.keptCanvasImage = new Uint32Array(image.data.buffer);
}

// The share of canvas pixels that differ from the kept copy when it exceeds minimum, else
// false: a minimum below 0 always gives the share.
export function changedShareAbove(minimum) {
  const canvas = document.getElementById('canvas');
  const image = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
  const now = new Uint32Array(image.data.buffer);
  const kept = window.keptCanvasImage;
  let changed = 0;
  for (let i = 0; i < now.length; ++i) {
    changed += now[i] !== kept[i] ? 1 : 0;
  }
  const share = changed / now.length;
  return share > minimum ? share : false;
}

// Records, for every key pressed from now on, whether its default action was prevented by
// the time the event reached the window.
export function recordKeyDefaults() {
  window.keyDefaults = [];
  window.addEventListener('keydown', (event) => {
    window.keyDefaults.push([event.key, event.defaultPrevented]);
  });
}
