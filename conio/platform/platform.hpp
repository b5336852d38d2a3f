#pragma once
// The platform seam: what the services need from a machine. The terminal platform fills
// it on a real POSIX terminal, the headless platform in tests and the replay tool.
#include <cstdint>

#include "conio/platform/screen_buffer.hpp"

namespace platform {

class Platform {
public:
    virtual ~Platform() = default;

    // The console the console layer draws on; the platform shows it.
    virtual ScreenBuffer& screen() = 0;
    // True when a key byte is waiting. Never blocks, consumes nothing.
    virtual bool keyWaiting() = 0;
    // Waits for a key byte and consumes it. Two-byte keys come as two reads.
    virtual std::uint8_t readKey() = 0;
    // True when the program's window, terminal or page lost the player's focus since the
    // last call and no key has arrived since (the player is back when one does). Keys that
    // came before the loss stay waiting. Clears the loss; never blocks. Focus coming back
    // changes nothing: the player resumes with a key.
    virtual bool takeFocusLoss() = 0;
    // Sounds a tone and returns when it has ended (a silent wait where there is no sound).
    virtual void beep(unsigned frequencyHz, unsigned durationMs) = 0;
    // Blocks for that many milliseconds; 0 is valid.
    virtual void sleep(unsigned durationMs) = 0;
    // Seconds of the wall clock, as time(NULL) gives them.
    virtual std::int64_t clockSeconds() = 0;
};

}  // namespace platform
