#pragma once

#include "link/JBusFrame.h"

namespace ks {

// Cuts whole reply frames out of bytes that came in while no reply was awaited, so that the
// replies among them can be told apart from line noise.
enum class SplitResult {
    NeedMore, // the head may be the start of a frame: wait for more bytes
    Frame,    // frame holds a whole frame with a good CRC, taken from the head of buffer
    Garbage,  // the head byte starts no frame: dropped, and left alone in frame
};

// The length a reply starting with these bytes would have (JBus end rule), or 0 when fewer
// than 3 bytes are known (2 suffice for an exception).
std::size_t replyLengthAt(const Bytes& buffer);
// Takes the next frame from the head of buffer. With noMore set no more bytes will come, so
// a head that cannot complete is garbage.
SplitResult takeReplyFrame(Bytes& buffer, Bytes& frame, bool noMore);

} // namespace ks
