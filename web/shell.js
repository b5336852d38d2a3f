// The app shell's offline half: registers the service worker (sw.js), which keeps the
// build's files so that the game starts without a network, and moves the page onto a new
// build once its worker has taken over.
'use strict';

(function () {
  if (!('serviceWorker' in navigator)) return;
  const page = window.vexamorPage;

  // A new build reaches a player on the visit after the one that fetched it, or at once
  // where nothing is lost: the page reloads right away if the player has not touched
  // anything yet, and otherwise the next "Jogar de novo" loads the new build (the running
  // game keeps the old one in memory, and never mixes the two).
  const updating = navigator.serviceWorker.controller !== null;
  let touched = false;
  window.addEventListener('keydown', function () { touched = true; }, true);
  window.addEventListener('pointerdown', function () { touched = true; }, true);

  navigator.serviceWorker.addEventListener('controllerchange', function () {
    if (!updating || page.newBuild) return;
    page.newBuild = true;
    if (!touched) location.reload();
  });

  // updateViaCache 'none': the browser asks the server for sw.js on every visit, so a new
  // build is seen on the first visit after it is published. The worker's first copy of the
  // site waits until the page has loaded and the game has started (this file runs last), so
  // it never competes with the game's own files on a slow network, and then a few seconds
  // more, until the intro is under way: installing, the worker fetches every file again and
  // compiles the scripts once more to keep them compiled, work that on a phone's few cores
  // slowed the game's first frames. A page the worker already serves asks for a new build
  // at once.
  const kFirstCopyDelayMs = 3000;
  function register() {
    navigator.serviceWorker.register('sw.js', { updateViaCache: 'none' }).catch(function (error) {
      console.warn('VEXAMOR: sem modo offline:', error);
    });
  }
  function loaded() {
    if (updating) register();
    else setTimeout(register, kFirstCopyDelayMs);
  }
  if (document.readyState === 'complete') loaded();
  else window.addEventListener('load', loaded);
})();
