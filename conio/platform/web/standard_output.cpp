// The browser and node get the bytes written to standard output unchanged. Under node the C
// library's standard output is either console.log, which queues what a pipe cannot take at
// once and loses it when the program exits, or (over the real file system) a write that fails
// when a non-blocking pipe is full. So the bytes are written here with node's synchronous
// writes, waiting while the pipe is full, and the program exits only once they are all out.
#include "conio/platform/standard_output.hpp"

#include <emscripten.h>

namespace platform {

// 1 once every byte is written; 0 on any error other than a full non-blocking pipe.
EM_JS(int, vexamor_write_standard_output, (const char* data, int size), {
    var fs = require('fs');
    var done = 0;
    var pause = null;
    while (done < size) {
        try {
            done += fs.writeSync(1, HEAPU8, data + done, size - done);
        } catch (e) {
            if (e.code !== 'EAGAIN') return 0;
            pause = pause || new Int32Array(new SharedArrayBuffer(4));
            Atomics.wait(pause, 0, 0, 1);
        }
    }
    return 1;
});

void useBinaryStandardOutput() {}

bool writeStandardOutput(std::string_view bytes) {
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    for (std::size_t at = 0; at < bytes.size(); at += kChunk) {
        const std::string_view chunk = bytes.substr(at, kChunk);
        if (vexamor_write_standard_output(chunk.data(), static_cast<int>(chunk.size())) != 1) return false;
    }
    return true;
}

}  // namespace platform
