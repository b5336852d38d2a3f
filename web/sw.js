// The service worker: keeps this build's files in a cache named for the build, answers
// requests for them from it (so the game starts and plays with the network off), and
// drops the caches of older builds. Nothing else is ever cached.
'use strict';

// Both stamped by scripts/build-web.sh: a name that changes with every file of the site,
// and the site's files, relative to this worker's folder ('./' is the page itself).
const kBuild = 'vexamor-unbuilt';
const kFiles = [];
// Sites in other folders of the same origin (another copy of the game) keep their caches:
// the name ends with this worker's scope, and only this scope's older caches are dropped.
const kScope = `@${self.registration.scope}`;
const kCache = kBuild + kScope;

// A new build's files come from the server, never from the browser's HTTP cache, so a
// cache never mixes two builds.
self.addEventListener('install', (event) => {
  event.waitUntil(
    caches.open(kCache)
      .then((cache) => cache.addAll(kFiles.map((file) => new Request(file, { cache: 'no-cache' }))))
      .then(() => self.skipWaiting()),
  );
});

// A new worker takes over at once: the pages it takes over run from memory and fetch
// nothing more, and the page reloads into the new build where that is safe (shell.js).
self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names
        .filter((name) => name.startsWith('vexamor-') && name.endsWith(kScope) && name !== kCache)
        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

// The page's query (?mute) does not make another page: it is ignored when matching.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(
    caches.open(kCache)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((cached) => cached ?? fetch(event.request)),
  );
});
