// The player's best games: every finished game's recording comes from the program (host.js's
// recorded()), the ten best by score are kept in localStorage under one versioned key, and the
// best score shows in the header. Where the browser refuses or fills its storage the list
// lives until the page closes, and the page says so once.
'use strict';

(function () {
  const page = window.vexamorPage;
  const kStorageKey = 'vexamor.recordes.v1';
  const kKept = 10;
  // The newest recording format this page knows; a newer one comes from a newer game.
  const kFormatVersion = 1;
  const kHeader = 'vexamor-recording ';

  // What the list and the link offer show of a recording: its format version, score,
  // level, ticks and date, read from its lines. Null when the text is not a recording at all;
  // a recording of a newer format gives only its version. The program reads the whole file
  // when it plays it, and refuses anything wrong with one line of its own.
  function summarize(text) {
    if (typeof text !== 'string' || !text.startsWith(kHeader)) return null;
    const lines = text.split('\n');
    const version = Number(lines[0].slice(kHeader.length).trim());
    if (!Number.isInteger(version) || version < 1) return null;
    if (version > kFormatVersion) return { version };
    const values = {};
    for (const line of lines.slice(1)) {
      const space = line.indexOf(' ');
      if (space > 0 && line.slice(0, space) !== 'keys') values[line.slice(0, space)] = line.slice(space + 1).trim();
    }
    const number = (name) => (/^\d{1,10}$/.test(values[name] ?? '') ? Number(values[name]) : null);
    const summary = { version, score: number('score'), level: number('level'), ticks: number('ticks'), date: values.date ?? '' };
    return summary.score === null || summary.level === null || summary.ticks === null ? null : summary;
  }

  // The best first; of equal scores, the one reached first stays ahead.
  function byRank(a, b) {
    return b.score - a.score || (a.date < b.date ? -1 : a.date > b.date ? 1 : 0);
  }

  // A kept game: its recording and the minutes it took as the page saw them.
  function entryOf(stored) {
    if (!stored || typeof stored.text !== 'string') return null;
    const summary = summarize(stored.text);
    if (!summary || summary.version !== kFormatVersion) return null;
    const seconds = Number.isFinite(stored.seconds) && stored.seconds >= 0 ? stored.seconds : null;
    return { ...summary, text: stored.text, seconds };
  }

  // localStorage itself may throw (storage switched off, an opaque origin).
  function storage() {
    try { return window.localStorage; } catch (error) { return null; }
  }

  let games = [];
  let keeping = true;

  function load() {
    const store = storage();
    let saved = null;
    try {
      saved = store.getItem(kStorageKey);
    } catch (error) {
      refuse();
      return;
    }
    try {
      const list = JSON.parse(saved ?? '{"games":[]}').games;
      games = (Array.isArray(list) ? list : []).map(entryOf).filter(Boolean).sort(byRank).slice(0, kKept);
    } catch (error) {
      games = [];  // a list this page cannot read is written over by the next game kept
    }
  }

  // Another tab of the page may have kept games since: its list is the one to add to.
  function refresh() {
    if (keeping) load();
  }

  function save() {
    if (!keeping) return;
    try {
      const kept = games.map((game) => ({ text: game.text, seconds: game.seconds }));
      storage().setItem(kStorageKey, JSON.stringify({ games: kept }));
    } catch (error) {
      refuse();
    }
  }

  function refuse() {
    if (!keeping) return;
    keeping = false;
    page.say('O navegador não guarda os recordes: eles valem até a página fechar.');
  }

  const recordLine = document.getElementById('record');

  function changed() {
    recordLine.hidden = games.length === 0;
    recordLine.textContent = `Recorde: ${games.length === 0 ? 0 : games[0].score}`;
    if (page.recordsChanged) page.recordsChanged();
  }

  // One line for the player, shown a while in the page (never over the game's own text).
  const note = document.getElementById('page-note');
  let noteTimer = null;
  page.say = function (text) {
    note.textContent = text;
    note.hidden = false;
    clearTimeout(noteTimer);
    noteTimer = setTimeout(function () { note.hidden = true; }, 10000);
  };
  note.addEventListener('click', function () { note.hidden = true; });

  page.records = {
    summarize,
    formatVersion: kFormatVersion,
    list: function () { return games.slice(); },
    // A finished game: kept when it is among the best.
    add: function (text, seconds) {
      const entry = entryOf({ text, seconds });
      if (!entry) return;
      refresh();
      games.push(entry);
      games.sort(byRank);
      if (games.length > kKept) games.length = kKept;
      if (games.includes(entry)) save();
      changed();
    },
    remove: function (entry) {
      refresh();
      games = games.filter((game) => game.text !== entry.text);
      save();
      changed();
    },
  };

  load();
  changed();
  window.addEventListener('storage', function (event) {
    if (event.key !== kStorageKey) return;
    refresh();
    changed();
  });
})();
