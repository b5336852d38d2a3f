// The page's side of conio/platform/web/host.hpp, linked into the module with --js-library.
// Each function hands over to Module.vexamorHost, the object the page passes to
// createVexamor(), so the page decides where output goes and where input comes from.
// Focus losses are watched here, on the document and the window, whatever the page is.
mergeInto(LibraryManager.library, {
  vexamor_host_write: function (bytes, length) {
    Module['vexamorHost'].write(HEAPU8.slice(bytes, bytes + length));
  },
  vexamor_host_read: function (buffer, capacity) {
    var focus = Module['vexamorFocus'];
    var input;
    if (focus && focus.held.length > 0) {
      input = Uint8Array.from(focus.held.splice(0, capacity));
    } else if (focus && focus.lost) {
      return 0;  // what came after the loss waits until the program has taken the loss
    } else {
      input = Module['vexamorHost'].read(capacity);
    }
    HEAPU8.set(input, buffer);
    return input.length;
  },
  vexamor_host_wait: function (timeoutMs) {
    var focus = Module['vexamorFocus'];
    // Bytes held back at a focus loss are input already there: no waiting for more.
    if (focus && (focus.held.length > 0 || focus.lost)) timeoutMs = 0;
    Asyncify.handleSleep(function (wakeUp) {
      Module['vexamorHost'].wait(timeoutMs, wakeUp);
    });
  },
  // At a loss, the bytes typed before it are taken from the page and held, so that the
  // program reads them first, then the loss, then whatever is typed afterwards.
  vexamor_host_watch_focus: function (watch) {
    var focus = Module['vexamorFocus'];
    if (focus) {
      document.removeEventListener('visibilitychange', focus.onVisibility);
      window.removeEventListener('blur', focus.lose);
      Module['vexamorFocus'] = null;
    }
    if (!watch || typeof document === 'undefined') return;
    focus = { held: [], lost: false };
    focus.lose = function () {
      if (typeof ABORT !== 'undefined' && ABORT) return;  // a program stopped by an error reads nothing more
      var host = Module['vexamorHost'];
      for (var bytes = host.read(4096); bytes.length > 0; bytes = host.read(4096)) {
        for (var i = 0; i < bytes.length; ++i) focus.held.push(bytes[i]);
      }
      focus.lost = true;
    };
    focus.onVisibility = function () {
      if (document.hidden) focus.lose();
    };
    document.addEventListener('visibilitychange', focus.onVisibility);
    window.addEventListener('blur', focus.lose);
    Module['vexamorFocus'] = focus;
  },
  vexamor_host_take_focus_loss: function () {
    var focus = Module['vexamorFocus'];
    if (!focus || !focus.lost || focus.held.length > 0) return 0;
    focus.lost = false;
    return 1;
  },
  vexamor_host_tone: function (frequencyHz, durationMs, startMs, audible) {
    Module['vexamorHost'].tone(frequencyHz >>> 0, durationMs >>> 0, startMs, audible !== 0);
  },
  vexamor_host_start_muted: function () {
    Module['vexamorHost'].startMuted();
  },
  vexamor_host_ended: function (status) {
    Module['vexamorHost'].ended(status);
  },
});

// Recordings: each finished game's text goes to the page, and a run the page starts to
// watch a recording asks it for the text.
mergeInto(LibraryManager.library, {
  vexamor_host_recorded: function (text, length, durationMs) {
    Module['vexamorHost'].recorded(new TextDecoder().decode(HEAPU8.subarray(text, text + length)), durationMs);
  },
  vexamor_host_recording_to_watch: function (buffer, capacity) {
    var bytes = Module['vexamorHost'].recordingToWatch();
    if (!bytes) return 0;
    HEAPU8.set(bytes.subarray(0, Math.min(capacity, bytes.length)), buffer);
    return bytes.length;
  },
});
