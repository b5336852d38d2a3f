// Full screen from a button, the picture turned to landscape while it lasts where the
// browser allows a page to lock it. Without the Fullscreen API the stylesheet hides the button
// (from the first paint on: the page marks the API's presence before it lays anything out).
'use strict';

(function () {
  const page = window.vexamorPage;
  const button = document.getElementById('fullscreen');
  const root = document.documentElement;
  if (!root.classList.contains('can-fullscreen')) return;

  // Most browsers refuse the lock (a desktop, an iPad, a setting); the game plays on anyway.
  function lockLandscape() {
    try {
      const locked = screen.orientation.lock('landscape');
      if (locked && locked.catch) locked.catch(function () {});
    } catch (error) { /* no orientation lock here */ }
  }

  function unlock() {
    try { screen.orientation.unlock(); } catch (error) { /* nothing was locked */ }
  }

  function show() {
    const full = document.fullscreenElement !== null;
    button.setAttribute('aria-pressed', full ? 'true' : 'false');
    button.textContent = full ? 'Sair da tela cheia' : 'Tela cheia';
  }

  button.addEventListener('click', function () {
    const change = document.fullscreenElement
      ? document.exitFullscreen()
      : root.requestFullscreen({ navigationUI: 'hide' }).then(lockLandscape);
    change.catch(function () {}).then(function () { page.focusTerminal(); });
  });
  document.addEventListener('fullscreenchange', function () {
    show();
    if (!document.fullscreenElement) unlock();
  });
  show();
})();
