// Recordings for the page's tests, written in the recording format: games to seed the kept
// list with (the page lists them; they are never played), and a link from a newer format.

// A recording's text with the given summary values.
export function recordingText({ score, level = 0, date, ticks = 3 }) {
  return ['vexamor-recording 1', 'game 1.0.0', `date ${date}`, 'seed 1', 'carried 20 25', 'colors 14 2 4 5 8 8',
    `score ${score}`, `level ${level}`, `ticks ${ticks}`, 'ended esc', 'keys ,,27', ''].join('\n');
}

// An init script that puts these recordings in the page's kept list before the page runs.
export function seedRecords(texts) {
  const saved = JSON.stringify({ games: texts.map((text) => ({ text, seconds: 65 })) });
  return `localStorage.setItem('vexamor.recordes.v1', ${JSON.stringify(saved)});`;
}

// The fragment of a link to a recording of a format newer than any this game reads, as an
// uncompressed link carries it.
export function futureLink() {
  const text = 'vexamor-recording 2\ngame 9.0.0\nscore 5\n';
  return `#r=${Buffer.from(text).toString('base64url')}`;
}
