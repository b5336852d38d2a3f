// Two changes to xterm.js's canvas renderer (the pinned @xterm/addon-canvas, as built), made
// when the site is built: node tools/web/patch-canvas-renderer.mjs FILE. Each replaces text that
// must occur exactly once, and the result must parse, so a different version of the renderer
// fails the build rather than going out unchanged, half changed or broken; the file is written
// only when all of it holds.
//
// Both are about the glyph cache, a 512 x 512 canvas each glyph is drawn into once and copied
// from to the screen. Writing into that canvas while the browser still holds a picture of it
// (one drawn from earlier in the same frame, or the bitmap the renderer keeps of it) makes the
// browser copy the whole canvas first: 3 to 6 ms a glyph in Chromium without a GPU, several
// glyphs a frame whenever the intro shows a new colour. And much of what the cache holds at
// the start is never shown.
import { readFileSync, writeFileSync } from 'node:fs';
import { Script } from 'node:vm';

const patches = [
  {
    // Every new cache starts with the printable ASCII characters drawn in the terminal's
    // default colours, in idle time. The game gives every cell it writes colours of its own,
    // so none of those 93 glyphs is ever shown. One is still drawn: the first glyph drawn in a
    // font and the cache's first write cost far more than the rest (loading the font, making
    // the canvas), better paid while the page waits for the game to load than in the frame
    // that first shows the banner.
    find: '_doWarmUp(){const e=new l.IdleTaskQueue;for(let t=33;t<126;t++)',
    replace: '_doWarmUp(){const e=new l.IdleTaskQueue;for(let t=87;t<88;t++)',
  },
  {
    // The text is drawn a row range at a time, each cell's glyph looked up (and drawn into the
    // cache when new) just before it is copied to the screen, so every new glyph after the
    // first in a frame paid for a copy of the cache. A first pass now puts every glyph the
    // rows need into the cache, then the second copies them out: one copy at most a frame.
    find: '_drawForeground(e,t){this._forEachCell(e,t,((e,t,i)=>this._drawChars(e,t,i)))}',
    replace: '_drawForeground(e,t){'
      + 'this._forEachCell(e,t,((e,t,i)=>this._cacheGlyph(e,t,i))),'
      + 'this._forEachCell(e,t,((e,t,i)=>this._drawChars(e,t,i)))}'
      + '_cacheGlyph(e,t,i){'
      + 'if(this._cellColorResolver.resolve(e,t,this._bufferService.buffer.ydisp+i,this._deviceCellWidth),'
      + '!this._charAtlas)return;'
      + 'const s=e.getChars(),r=this._cellColorResolver.result;'
      + 's&&s.length>1'
      + '?this._charAtlas.getRasterizedGlyphCombinedChar(s,r.bg,r.fg,r.ext,!0)'
      + ':this._charAtlas.getRasterizedGlyph(e.getCode()||32,r.bg,r.fg,r.ext,!0)}',
  },
];

const file = process.argv[2];
let text = readFileSync(file, 'utf8');
for (const { find, replace } of patches) {
  const count = text.split(find).length - 1;
  if (count !== 1) {
    console.error(`${file}: expected "${find.slice(0, 60)}..." once, found it ${count} times`);
    process.exit(1);
  }
  text = text.replace(find, () => replace);
}
try {
  new Script(text, { filename: file });  // compiled only, never run
} catch (error) {
  console.error(`${file}: the changed renderer does not parse: ${error.message}`);
  process.exit(1);
}
writeFileSync(file, text);
