// The page's side of conio/platform/web/host.hpp, linked into the module with --js-library.
// Each function hands over to Module.vexamorHost, the object the page passes to
// createVexamor(), so the page decides where output goes and where input comes from.
mergeInto(LibraryManager.library, {
  vexamor_host_write: function (bytes, length) {
    Module['vexamorHost'].write(HEAPU8.slice(bytes, bytes + length));
  },
  vexamor_host_read: function (buffer, capacity) {
    var input = Module['vexamorHost'].read(capacity);
    HEAPU8.set(input, buffer);
    return input.length;
  },
  vexamor_host_wait: function (timeoutMs) {
    Asyncify.handleSleep(function (wakeUp) {
      Module['vexamorHost'].wait(timeoutMs, wakeUp);
    });
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
