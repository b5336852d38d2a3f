// Recordings come into the page: a shared link's fragment (the page waits, ready to watch,
// for a tap or a key) and a .vxr file chosen or dropped on the page. Each is watched through
// the program's own watch mode (host.js's watch()); one that cannot be read is said in one
// line, and the page goes on as without it.
'use strict';

(function () {
  const page = window.vexamorPage;
  const records = page.records;
  const share = page.share;
  const kFragment = share.fragment;
  const kLargestRecording = share.largest;
  const kNotARecording = 'não traz uma gravação do VEXAMOR';

  // What a recording from outside (link or file) can be watched as, or why not.
  function check(text) {
    const summary = records.summarize(text);
    if (!summary) return { problem: kNotARecording };
    if (summary.version > records.formatVersion) return { problem: 'é de uma versão mais nova do jogo' };
    return { summary };
  }

  // A tap or key starts a shared link's game, which also lets the sound start.
  const offer = document.getElementById('offer');
  const offerButton = document.getElementById('offer-watch');

  async function readLink() {
    try {
      const text = await share.unpack(location.hash.slice(kFragment.length));
      return { ...check(text), text };
    } catch (error) {
      return { problem: kNotARecording };
    }
  }

  function offerLink() {
    readLink().then(function ({ summary, problem, text }) {
      history.replaceState(null, '', location.href.split('#')[0]);
      if (problem) {
        page.say(`O link ${problem}.`);
        page.startProgram();
        return;
      }
      offerButton.textContent = `Assistir a partida de ${summary.score} pontos`;
      offer.hidden = false;
      offerButton.focus();
      page.takeKey = function () { watchOffered(); return true; };
      window.addEventListener('keydown', watchOffered, true);
      offer.addEventListener('pointerup', watchOffered, { once: true });
      offeredText = text;
    });
  }

  let offeredText = null;
  function watchOffered(event) {
    if (offeredText === null) return;
    if (event) event.preventDefault();
    window.removeEventListener('keydown', watchOffered, true);
    offer.hidden = true;
    page.takeKey = null;
    const text = offeredText;
    offeredText = null;
    page.watch(text);
  }

  // A .vxr file, chosen or dropped.
  async function openFile(file) {
    if (file.size > kLargestRecording) {
      page.say(`${file.name} é grande demais para assistir no navegador.`);
      return;
    }
    let text = null;
    try { text = new TextDecoder('utf-8', { fatal: true }).decode(await file.arrayBuffer()); } catch (error) { text = null; }
    const { problem } = text === null ? { problem: kNotARecording } : check(text);
    if (problem) page.say(`${file.name} ${problem}.`);
    else page.watch(text);
  }

  const picker = document.getElementById('open-file');
  document.getElementById('open-recording').addEventListener('click', function () { picker.click(); });
  picker.addEventListener('change', function () {
    if (picker.files.length > 0) openFile(picker.files[0]);
    picker.value = '';
  });
  window.addEventListener('dragover', function (event) {
    if (event.dataTransfer && [...event.dataTransfer.types].includes('Files')) event.preventDefault();
  });
  window.addEventListener('drop', function (event) {
    const files = event.dataTransfer ? event.dataTransfer.files : [];
    if (files.length === 0) return;
    event.preventDefault();
    openFile(files[0]);
  });

  if (location.hash.startsWith(kFragment)) offerLink();
})();
