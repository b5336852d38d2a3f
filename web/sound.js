// Sound: an AudioContext made and resumed on the player's first key or touch (browsers
// refuse it before), and each tone scheduled on its clock. The program never waits for it.
'use strict';

(function () {
  const page = window.vexamorPage;
  const audio = { context: null, muted: false, chosen: false, offset: null };
  const kVolume = 0.12;
  const kLeadSeconds = 0.05;  // room for the program waking late between tones (see tones_web.cpp)
  const kRampSeconds = 0.002;  // fade at each end, so a tone meets silence without a click

  function startAudio() {
    if (!audio.context) {
      if (typeof AudioContext !== 'function') return;
      audio.context = new AudioContext();
    }
    if (audio.context.state === 'suspended') audio.context.resume().catch(function () {});
  }

  // Tones that follow each other on the program's timeline follow each other exactly on the
  // audio clock: one offset maps the one clock onto the other, and it is set again only
  // when a tone would start in the past or implausibly far ahead.
  function playTone(frequencyHz, durationMs, whenMs) {
    const context = audio.context;
    if (!context || context.state !== 'running' || audio.muted) return;
    let start = whenMs / 1000 + audio.offset;
    if (audio.offset === null || start < context.currentTime || start > context.currentTime + 1) {
      audio.offset = context.currentTime + kLeadSeconds - whenMs / 1000;
      start = whenMs / 1000 + audio.offset;
    }
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
