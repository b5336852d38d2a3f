#pragma once
// What the page provides to the program, through conio/platform/web/host_library.js: each
// call hands over to the host object the page gives the module when it creates it.
extern "C" {

// Hands the terminal one write of bytes (UTF-8 text and escape sequences).
void vexamor_host_write(const char* bytes, int length);
// Copies at most `capacity` bytes the terminal has sent since the last call; returns how many.
// After a focus loss it gives the bytes sent before the loss, then 0 until the loss is taken.
int vexamor_host_read(unsigned char* buffer, int capacity);
// From now on (1) or no longer (0), the page becoming hidden or its window losing focus is
// a focus loss.
void vexamor_host_watch_focus(int watch);
// 1 once for a focus loss whose earlier bytes have all been read, then 0 until the next one.
int vexamor_host_take_focus_loss();
// Gives the browser the thread until the terminal sends something or timeoutMs has passed
// (-1: no time limit). The program's stack is unwound and rewound around it.
void vexamor_host_wait(int timeoutMs);
// A tone that starts at startMs on the program's steady clock, which in the browser is the
// page's performance.now(): up to a few hundred milliseconds ahead while a tune plays, up
// to some tens in the past when the program woke late. `audible` is false for tones that
// are heard as silence.
void vexamor_host_tone(unsigned frequencyHz, unsigned durationMs, double startMs, int audible);
// The page starts with its sound switched off (the player can switch it back on).
void vexamor_host_start_muted();
// The program has ended with this exit status.
void vexamor_host_ended(int status);
// A finished game's recording (`length` bytes of text) and how many milliseconds it took.
void vexamor_host_recorded(const char* text, int length, int durationMs);
// The length of the recording the page started this run to watch (0: none), with its first
// `capacity` bytes copied to buffer.
int vexamor_host_recording_to_watch(char* buffer, int capacity);

}
