// Recordings leave the page: as a link to this page carrying the recording in its fragment
// (#r= and the text compressed, in base64url; a fragment never reaches a server), or as the
// .vxr file the terminal game plays. open-recording.js takes them back in.
'use strict';

(function () {
  const page = window.vexamorPage;
  const kFragment = '#r=';
  // The largest recording the page watches: the program's fixed memory in the browser holds
  // one of 3 MB and runs out before the 4 MB that the program reads elsewhere. A recording
  // of 2 MB is a game of many hours. A link or file is never unpacked beyond this.
  const kLargestRecording = 2 * 1024 * 1024;
  const kFormats = ['deflate-raw', 'gzip'];

  function base64url(bytes) {
    let binary = '';
    for (let i = 0; i < bytes.length; i += 0x8000) binary += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  function fromBase64url(text) {
    if (!/^[A-Za-z0-9_-]*$/.test(text)) throw new Error('not base64url');
    const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
    return Uint8Array.from(binary, (c) => c.charCodeAt(0));
  }

  // The bytes through a (de)compression stream, stopped once more than `limit` come out.
  async function through(stream, bytes, limit) {
    const writer = stream.writable.getWriter();
    writer.write(bytes).catch(function () {});
    writer.close().catch(function () {});
    const chunks = [];
    let length = 0;
    const reader = stream.readable.getReader();
    for (let read = await reader.read(); !read.done; read = await reader.read()) {
      length += read.value.length;
      if (length > limit) {
        reader.cancel().catch(function () {});
        throw new Error('too large');
      }
      chunks.push(read.value);
    }
    const out = new Uint8Array(length);
    let at = 0;
    for (const chunk of chunks) { out.set(chunk, at); at += chunk.length; }
    return out;
  }

  function makeStream(Kind) {
    for (const format of kFormats) {
      try { return new Kind(format); } catch (error) { /* not this format here */ }
    }
    return null;
  }

  // The link's payload: the recording compressed where the browser can, or as it is.
  async function pack(text) {
    const bytes = new TextEncoder().encode(text);
    const stream = typeof CompressionStream === 'function' ? makeStream(CompressionStream) : null;
    return base64url(stream ? await through(stream, bytes, Infinity) : bytes);
  }

  // A payload's recording text. Plain text starts with the format's first line, a gzip stream
  // with its magic bytes; anything else is taken for raw deflate.
  async function unpack(payload) {
    const bytes = fromBase64url(payload);
    if (bytes.length > kLargestRecording) throw new Error('too large');
    const plain = new TextDecoder().decode(bytes.subarray(0, 17));
    if (plain === 'vexamor-recording') return new TextDecoder('utf-8', { fatal: true }).decode(bytes);
    if (typeof DecompressionStream !== 'function') throw new Error('no DecompressionStream');
    const format = bytes[0] === 0x1f && bytes[1] === 0x8b ? 'gzip' : 'deflate-raw';
    const out = await through(new DecompressionStream(format), bytes, kLargestRecording);
    return new TextDecoder('utf-8', { fatal: true }).decode(out);
  }

  function pageAddress() {
    return location.href.split('#')[0];
  }

  async function linkFor(text) {
    return `${pageAddress()}${kFragment}${await pack(text)}`;
  }

  // The name vexamor --record gives the same game: date, time and score.
  function fileName(game) {
    const stamp = /^(\d{4})-(\d\d)-(\d\d)T(\d\d):(\d\d):(\d\d)/.exec(game.date);
    const when = stamp ? `${stamp.slice(1, 4).join('')}-${stamp.slice(4, 7).join('')}` : 'sem-data';
    return `vexamor-${when}-${game.score}.vxr`;
  }

  function download(game) {
    const url = URL.createObjectURL(new Blob([game.text], { type: 'text/plain' }));
    const link = document.createElement('a');
    link.href = url;
    link.download = fileName(game);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () { URL.revokeObjectURL(url); }, 1000);
  }

  // On a phone the system's share sheet; elsewhere the clipboard; where both are refused,
  // the link is handed back to be shown for copying. Resolves to what happened.
  async function share(game) {
    const url = await linkFor(game.text);
    const title = `VEXAMOR: ${game.score} pontos`;
    if (typeof navigator.share === 'function' && matchMedia('(pointer: coarse)').matches) {
      try {
        await navigator.share({ title, url });
        return { how: 'shared', url };
      } catch (error) {
        if (error && error.name === 'AbortError') return { how: 'cancelled', url };
      }
    }
    try {
      await navigator.clipboard.writeText(url);
      return { how: 'copied', url };
    } catch (error) {
      return { how: 'shown', url };
    }
  }

  page.share = { linkFor, share, download, unpack, fragment: kFragment, largest: kLargestRecording };
})();
