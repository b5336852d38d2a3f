// The host object the program calls (conio/platform/web/host_library.js) for output, input,
// waits and tones; the start of a run, and another run after the end. Loaded last.
'use strict';

(function () {
  const page = window.vexamorPage;
  const term = page.term;
  const input = page.input;

  // Every tone the program asked for, as [frequency Hz, length ms, start on the program's
  // timeline in performance.now() time, start on the audio clock in seconds or null when
  // nothing played], muted or not: what a test or a curious player can check the sound
  // against.
  window.vexamorTones = [];
  const kToneRecordLimit = 20000;

  // A callback run on its own turn of the event loop, without the delay browsers add to
  // nested timers (a wait of 0 ms must stay short).
  const soon = (function () {
    const channel = new MessageChannel();
    const queued = [];
    channel.port1.onmessage = function () { queued.shift()(); };
    return function (callback) { queued.push(callback); channel.port2.postMessage(0); };
  })();

  let resumeProgram = null;
  let waitTimer = null;

  function wakeProgram() {
    if (!resumeProgram) return;
    const resume = resumeProgram;
    resumeProgram = null;
    clearTimeout(waitTimer);
    waitTimer = null;
    soon(resume);
  }
  page.wakeProgram = wakeProgram;

  const host = {
    write: function (bytes) { term.write(bytes); },
    read: function (capacity) { return Uint8Array.from(input.splice(0, capacity)); },
    wait: function (timeoutMs, resume) {
      resumeProgram = resume;
      if (input.length > 0 || timeoutMs === 0) wakeProgram();
      else if (timeoutMs > 0) waitTimer = setTimeout(wakeProgram, timeoutMs);
    },
    tone: function (frequencyHz, durationMs, startMs, audible) {
      const record = window.vexamorTones;
      if (record.length >= kToneRecordLimit) record.splice(0, kToneRecordLimit / 2);
      const heardAt = audible ? page.playTone(frequencyHz, durationMs, startMs) : null;
      record.push([frequencyHz, durationMs, startMs, heardAt]);
    },
    startMuted: page.startMuted,
    ended: function () { showEnd('O jogo terminou.'); },
  };

  const ended = document.getElementById('ended');
  const restartButton = document.getElementById('restart');

  function showEnd(text) {
    document.getElementById('ended-text').textContent = text;
    ended.hidden = false;
    restartButton.focus();
  }

  function startProgram() {
    ended.hidden = true;
    input.length = 0;
    term.reset();
    page.focusTerminal();
    createVexamor({
      vexamorHost: host,
      arguments: page.params.has('mute') ? ['--mute'] : [],
      print: function (text) { console.log(text); },
      printErr: function (text) { console.warn(text); },
      onAbort: function () { showEnd('O jogo parou por um erro.'); },
    });
  }

  // After a new build has taken over (shell.js), another run loads it.
  restartButton.addEventListener('click', function () {
    if (page.newBuild) location.reload();
    else startProgram();
  });
  startProgram();
})();
