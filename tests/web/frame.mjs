// The frame's corners as the player sees them, read from a screenshot of the page.
import { picture } from './browser.mjs';

// For each corner of the frame: the lines of its neighbours along the frame (a '═' beside it,
// a '║' above or below it) carried on, lit, across the cell edge into the corner's cell. A
// corner drawn from a font rather than by the renderer leaves a gap there.
export async function frameGaps(tab) {
  const shot = await picture(tab.page);
  const png = (await tab.page.screenshot()).toString('base64');
  return tab.page.evaluate(async ({ png, screen, cell }) => {
    const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const { data, width } = context.getImageData(0, 0, bitmap.width, bitmap.height);
    // The screenshot has the screen's device pixels: a CSS pixel is lit when any of the
    // device pixels it covers is.
    const ratio = bitmap.width / window.innerWidth;
    const lit = (x, y) => {
      for (let dy = Math.floor(y * ratio); dy < Math.max(Math.floor(y * ratio) + 1, Math.floor((y + 1) * ratio)); ++dy) {
        for (let dx = Math.floor(x * ratio); dx < Math.max(Math.floor(x * ratio) + 1, Math.floor((x + 1) * ratio)); ++dx) {
          const i = (dy * width + dx) * 4;
          if (Math.max(data[i], data[i + 1], data[i + 2]) > 48) return true;
        }
      }
      return false;
    };
    const left = (column) => screen.left + (column - 1) * cell.width;
    const top = (row) => screen.top + (row - 1) * cell.height;
    const gaps = [];
    for (const [x, y, besideX, besideY] of [[1, 1, 2, 2], [80, 1, 79, 2], [1, 25, 2, 24], [80, 25, 79, 24]]) {
      for (const horizontal of [true, false]) {
        // u runs along the lines, v across them.
        const at = (u, v) => (horizontal ? lit(u, v) : lit(v, u));
        const [along, across] = horizontal ? [left, top] : [top, left];
        const [length, breadth] = horizontal ? [cell.width, cell.height] : [cell.height, cell.width];
        const [corner, beside, line] = horizontal ? [x, besideX, y] : [y, besideY, x];
        const middle = Math.floor(along(beside) + length / 2);
        const lines = [];
        for (let v = Math.ceil(across(line)); v < Math.floor(across(line) + breadth); ++v) if (at(middle, v)) lines.push(v);
        if (lines.length === 0) gaps.push(`(${x}, ${y}): no line beside it`);
        const edge = Math.round(along(Math.max(corner, beside)));
        for (const v of lines) {
          for (let u = edge - 2; u <= edge + 1; ++u) {
            if (!at(u, v) && !at(u, v - 1) && !at(u, v + 1)) gaps.push(`(${x}, ${y}) at ${u} on the line at ${v}`);
          }
        }
      }
    }
    return gaps;
  }, { png, screen: shot.screen, cell: shot.cell });
}
