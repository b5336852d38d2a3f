// "Recordes": the kept games in a dialog, each to watch, share, download or remove. Keys
// (Tab or the arrows, Enter, Esc), touch and a gamepad (input.js hands it the pad's keys
// while it is open) all work it; closing it gives the keys back to the game.
'use strict';

(function () {
  const page = window.vexamorPage;
  const records = page.records;
  const dialog = document.getElementById('records-dialog');
  const list = document.getElementById('records-list');
  const empty = document.getElementById('records-empty');
  const status = document.getElementById('records-status');
  const linkText = document.getElementById('records-link');

  function when(date) {
    const time = Date.parse(date);
    if (Number.isNaN(time)) return '';
    return new Date(time).toLocaleString('pt-BR', { dateStyle: 'short', timeStyle: 'short' });
  }

  function length(seconds) {
    if (seconds === null) return '';
    const whole = Math.round(seconds);
    return `${Math.floor(whole / 60)}:${String(whole % 60).padStart(2, '0')}`;
  }

  function button(text, action) {
    const element = document.createElement('button');
    element.type = 'button';
    element.textContent = text;
    element.addEventListener('click', action);
    return element;
  }

  function tell(text, link = null) {
    status.textContent = text;
    linkText.hidden = link === null;
    linkText.textContent = link ?? '';
  }

  async function share(game) {
    tell('Preparando o link…');
    const { how, url } = await page.share.share(game);
    if (how === 'copied') tell(`Link copiado (${url.length} caracteres).`);
    else if (how === 'shared') tell('Link compartilhado.');
    else if (how === 'cancelled') tell('');
    else tell('Copie o link:', url);
  }

  function render() {
    const games = records.list();
    empty.hidden = games.length > 0;
    list.replaceChildren(...games.map(function (game, rank) {
      const item = document.createElement('li');
      const text = document.createElement('span');
      text.className = 'record-game';
      const parts = [`${game.score} pontos`, `nível ${game.level}`, when(game.date), length(game.seconds)];
      text.textContent = parts.filter(Boolean).join(' · ');
      item.append(text,
        button('Assistir', function () { close(); page.watch(game.text); }),
        button('Compartilhar', function () { share(game); }),
        button('Baixar', function () { page.share.download(game); }),
        button('Remover', function () {
          records.remove(game);
          const buttons = focusable();
          if (buttons.length > 0) buttons[Math.min(rank * 4, buttons.length - 1)].focus();
        }));
      return item;
    }));
  }

  function focusable() {
    return [...dialog.querySelectorAll('button')];
  }

  function moveFocus(step) {
    const buttons = focusable();
    const at = buttons.indexOf(document.activeElement);
    buttons[(at + step + buttons.length) % buttons.length].focus();
  }

  // A gamepad's key while the dialog is open: the D-pad moves, A (and Enter) presses,
  // Select (Esc) and B close.
  function padKey(name) {
    if (!dialog.open) return false;
    if (name === 'up' || name === 'left') moveFocus(-1);
    else if (name === 'down' || name === 'right') moveFocus(1);
    else if ((name === 'a' || name === 'enter') && dialog.contains(document.activeElement)) document.activeElement.click();
    else if (name === 'esc' || name === 'w') close();
    return true;
  }

  const kArrows = { ArrowUp: -1, ArrowLeft: -1, ArrowDown: 1, ArrowRight: 1 };
  dialog.addEventListener('keydown', function (event) {
    if (!(event.key in kArrows)) return;
    event.preventDefault();
    moveFocus(kArrows[event.key]);
  });

  function open() {
    // The game behind pauses as it does when the player looks away.
    window.dispatchEvent(new Event('blur'));
    tell('');
    render();
    dialog.showModal();
    focusable()[0].focus();
    page.takeKey = padKey;
  }

  // The keys go back to the game at once, not on the close event's later turn, so that a key
  // pressed right after closing is the game's.
  function giveKeysBack() {
    if (page.takeKey === padKey) page.takeKey = null;
    page.focusTerminal();
  }

  function close() {
    dialog.close();
    giveKeysBack();
  }

  dialog.addEventListener('cancel', giveKeysBack);  // Esc, before the dialog closes
  dialog.addEventListener('close', giveKeysBack);
  page.recordsChanged = function () { if (dialog.open) render(); };
  document.getElementById('records-open').addEventListener('click', open);
  // R (no game key) opens the list from the keyboard, whose Tab the terminal keeps.
  window.addEventListener('keydown', function (event) {
    if (event.key !== 'r' && event.key !== 'R') return;
    if (event.ctrlKey || event.altKey || event.metaKey || dialog.open || page.takeKey) return;
    event.preventDefault();
    event.stopPropagation();
    open();
  }, true);
  document.getElementById('records-close').addEventListener('click', close);
})();
