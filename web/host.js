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

  // One run of the program. Watching a recording starts a run of its own, and the run it
  // replaces is left suspended in its wait: it never wakes again and gets nothing from the
  // page, and its focus watch is dropped so that nothing holds it in memory.
  let current = null;

  function makeHost(run) {
    const live = function () { return run === current; };
    return {
      write: function (bytes) { if (live()) term.write(bytes); },
      read: function (capacity) { return live() ? Uint8Array.from(input.splice(0, capacity)) : new Uint8Array(0); },
      wait: function (timeoutMs, resume) {
        if (!live()) return;
        resumeProgram = resume;
        if (input.length > 0 || timeoutMs === 0) wakeProgram();
        else if (timeoutMs > 0) waitTimer = setTimeout(wakeProgram, timeoutMs);
      },
      tone: function (frequencyHz, durationMs, startMs, audible) {
        if (!live()) return;
        const record = window.vexamorTones;
        if (record.length >= kToneRecordLimit) record.splice(0, kToneRecordLimit / 2);
        const heardAt = audible ? page.playTone(frequencyHz, durationMs, startMs) : null;
        record.push([frequencyHz, durationMs, startMs, heardAt]);
      },
      startMuted: page.startMuted,
      recorded: function (text, durationMs) { if (live()) page.records.add(text, durationMs / 1000); },
      recordingToWatch: function () { return run.watch; },
      ended: function (status) {
        if (!live()) return;
        if (run.watch === null) {
          showEnd('O jogo terminou.');
          return;
        }
        // A watch ends in the menu, as after any game.
        if (status !== 0) page.say(run.error || 'A gravação não pôde ser assistida.');
        startProgram();
      },
    };
  }

  function retire(run) {
    clearTimeout(waitTimer);
    waitTimer = null;
    resumeProgram = null;
    const focus = run.module.vexamorFocus;
    if (focus && focus.lose) {
      document.removeEventListener('visibilitychange', focus.onVisibility);
      window.removeEventListener('blur', focus.lose);
    }
  }

  const ended = document.getElementById('ended');
  const restartButton = document.getElementById('restart');

  function showEnd(text) {
    document.getElementById('ended-text').textContent = text;
    ended.hidden = false;
    restartButton.focus();
  }

  // A run of the program; with a recording's text, a run that watches it.
  function startProgram(recording = null) {
    if (current) retire(current);
    const run = { watch: recording === null ? null : new TextEncoder().encode(recording), error: null, module: null };
    current = run;
    ended.hidden = true;
    input.length = 0;
    term.reset();
    page.focusTerminal();
    run.module = {
      vexamorHost: makeHost(run),
      arguments: page.params.has('mute') ? ['--mute'] : [],
      print: function (text) { console.log(text); },
      printErr: function (text) {
        run.error = text;
        console.warn(text);
      },
      onAbort: function () { if (run === current) showEnd('O jogo parou por um erro.'); },
    };
    createVexamor(run.module);
  }

  page.startProgram = function () { startProgram(); };
  page.watch = function (recording) { startProgram(recording); };

  // After a new build has taken over (shell.js), another run loads it.
  restartButton.addEventListener('click', function () {
    if (page.newBuild) location.reload();
    else startProgram();
  });
  // A shared link first offers its game (open-recording.js, loaded next).
  if (!location.hash.startsWith(page.share.fragment)) startProgram();
})();
