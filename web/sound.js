// Sound: an AudioContext made and resumed on the player's gestures (browsers refuse it before),
// and each tone scheduled on its clock. The program never waits for it.
'use strict';

(function () {
  const page = window.vexamorPage;
  const audio = { context: null, muted: false, chosen: false, offset: null, end: 0, asked: false, clock: null };
  const kVolume = 0.12;
  // A tune's first tone is heard this soon after the program asks for it; the program then
  // runs ahead of its sound (see tones_web.cpp), so later tones arrive long before they
  // are due and keep their places through a stalled page.
  const kLeadSeconds = 0.05;
  // How far ahead of the audio clock a tone may come: the program's run-ahead, a tune's
  // longest stall, the lead. One further ahead means the two clocks have drifted apart (a
  // suspended context stops its clock).
  const kFarthestSeconds = 1.5;
  const kRampSeconds = 0.002;  // fade at each end, so a tone meets silence without a click
  // A running context whose clock has not moved in this long is stuck (as iOS leaves one
  // after some interruptions) and is replaced.
  const kClockCheckMs = 400;
  // The events every engine counts as a gesture that may start sound: WebKit counts only the
  // ends of a touch or click and key presses, others the start of a press too.
  const kGestures = ['pointerdown', 'pointerup', 'touchend', 'mouseup', 'click', 'keydown'];

  const hint = document.getElementById('sound-hint');

  // The line that tells how to start the sound, shown while sound is on, the program has
  // asked for a tone and the context does not run (a player who has only used a gamepad, or
  // a context the browser holds back).
  function showHint() {
    const running = audio.context !== null && audio.context.state === 'running';
    hint.hidden = running || audio.muted || !audio.asked;
  }

  // iOS (Safari 16.4 on) lets Web Audio play through the ring/silent switch only when the page
  // asks for playback: the page's own switch decides what is heard.
  function chooseSession() {
    if (navigator.audioSession && navigator.audioSession.type !== 'playback') {
      try { navigator.audioSession.type = 'playback'; } catch (error) { /* not settable here */ }
    }
  }

  function makeContext() {
    if (audio.context) audio.context.close().catch(function () {});
    audio.context = new AudioContext();
    audio.offset = null;
    audio.end = 0;
    audio.clock = null;
    audio.context.addEventListener('statechange', function () { wake(); showHint(); });
  }

  // A context iOS interrupted (a call, another app's sound) is resumed as a suspended one is.
  function resume() {
    const context = audio.context;
    if (!context || (context.state !== 'suspended' && context.state !== 'interrupted')) return;
    context.resume().then(function () { watchClock(context); }, function () {});
  }

  // After a resume, a clock that does not move means a context that only says it runs: a new
  // one is made (once for each resume, so a machine without sound output never loops).
  function watchClock(context) {
    const time = context.currentTime;
    setTimeout(function () {
      if (audio.context === context && context.state === 'running' && context.currentTime === time) {
        makeContext();
        resume();
      }
      showHint();
    }, kClockCheckMs);
  }

  // Run on each gesture: makes the context, resumes it, or replaces it when its clock has
  // stood still since a gesture kClockCheckMs or more before (gestures closer together, such
  // as a held key's repeats, are not compared).
  function startAudio() {
    if (typeof AudioContext !== 'function') return;
    chooseSession();
    const now = performance.now();
    const seen = audio.clock;
    const compare = seen === null || now - seen.at >= kClockCheckMs;
    const context = audio.context;
    const stuck = compare && seen !== null && context !== null && context.state === 'running' &&
      context.currentTime === seen.time;
    if (!context || stuck) makeContext();
    resume();
    if (compare || audio.clock === null) audio.clock = { time: audio.context.currentTime, at: now };
    showHint();
  }

  function wake() {
    if (!document.hidden) resume();
  }

  // Tones that follow each other on the program's timeline follow each other exactly on the
  // audio clock: one offset maps the one clock onto the other. It is set again when nothing
  // is left to play (the next tune starts kLeadSeconds from now, or as far ahead as the
  // program put it), when a tone would start in the past (it starts now, and the tune goes
  // on from it), or when one would start implausibly far ahead. Returns the start on the
  // audio clock in seconds, or null when nothing plays.
  function playTone(frequencyHz, durationMs, whenMs) {
    if (!audio.asked) {
      audio.asked = true;
      showHint();
    }
    const context = audio.context;
    if (!context || context.state !== 'running' || audio.muted) return null;
    const now = context.currentTime;
    let start = whenMs / 1000 + audio.offset;
    if (audio.offset === null || audio.end <= now || start < now || start > now + kFarthestSeconds) {
      audio.offset = now + kLeadSeconds - Math.min(whenMs, performance.now()) / 1000;
      start = whenMs / 1000 + audio.offset;
    }
    audio.end = start + durationMs / 1000;
    const length = durationMs / 1000;
    const ramp = Math.min(kRampSeconds, length / 4);
    const oscillator = context.createOscillator();
    oscillator.type = 'square';
    oscillator.frequency.value = frequencyHz;
    const gain = context.createGain();
    gain.gain.setValueAtTime(0, start);
    gain.gain.linearRampToValueAtTime(kVolume, start + ramp);
    gain.gain.setValueAtTime(kVolume, start + length - ramp);
    gain.gain.linearRampToValueAtTime(0, start + length);
    oscillator.connect(gain).connect(context.destination);
    oscillator.start(start);
    oscillator.stop(start + length + 0.01);
    return start;
  }

  const muteButton = document.getElementById('mute');

  function setMuted(muted) {
    audio.muted = muted;
    muteButton.setAttribute('aria-pressed', muted ? 'true' : 'false');
    muteButton.textContent = muted ? 'Som: desligado' : 'Som: ligado';
    showHint();
  }

  muteButton.addEventListener('click', function () {
    audio.chosen = true;
    setMuted(!audio.muted);
    startAudio();
    page.focusTerminal();
  });

  for (const gesture of kGestures) window.addEventListener(gesture, startAudio, true);
  document.addEventListener('visibilitychange', wake);
  window.addEventListener('pageshow', wake);

  page.startAudio = startAudio;
  page.playTone = playTone;
  page.startMuted = function () { if (!audio.chosen) setMuted(true); };
})();
