// Keeps the page, the program and its waves on the player's machine at the
// first visit, so that the game plays again with the network off. Each
// version of the game has a store of its own; an older one is dropped.
'use strict';

const store = 'velmora-@PROJECT_VERSION@';
const files = ['./', '@VELMORA_KEPT_FILES@'];

self.addEventListener('install', event => {
    event.waitUntil(caches.open(store).then(cache => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
    event.waitUntil(caches.keys()
        .then(keys => Promise.all(keys.filter(key => key !== store).map(key => caches.delete(key))))
        .then(() => self.clients.claim()));
});

// What is kept is served from the store; anything else from the network.
self.addEventListener('fetch', event => {
    event.respondWith(caches.match(event.request, { ignoreSearch: true })
        .then(kept => kept ?? fetch(event.request)));
});
