// Sound: an AudioContext made and resumed on the player's first key or touch (browsers
// refuse it before), and each tone scheduled on its clock. The program never waits for it.
'use strict';

(function () {
  const page = window.vexamorPage;
  const audio = { context: null, muted: false, chosen: false, offset: null, end: 0 };
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

  function startAudio() {
    if (!audio.context) {
      if (typeof AudioContext !== 'function') return;
      audio.context = new AudioContext();
    }
    if (audio.context.state === 'suspended') audio.context.resume().catch(function () {});
  }

  // Tones that follow each other on the program's timeline follow each other exactly on the
  // audio clock: one offset maps the one clock onto the other. It is set again when nothing
  // is left to play (the next tune starts kLeadSeconds from now, or as far ahead as the
  // program put it), when a tone would start in the past (it starts now, and the tune goes
  // on from it), or when one would start implausibly far ahead. Returns the start on the
  // audio clock in seconds, or null when nothing plays.
  function playTone(frequencyHz, durationMs, whenMs) {
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
  }

  muteButton.addEventListener('click', function () {
    audio.chosen = true;
    setMuted(!audio.muted);
    startAudio();
    page.term.focus();
  });

  window.addEventListener('pointerdown', startAudio, true);
  window.addEventListener('keydown', startAudio, true);

  page.startAudio = startAudio;
  page.playTone = playTone;
  page.startMuted = function () { if (!audio.chosen) setMuted(true); };
})();
