#include "link/ReplySplitter.h"

namespace ks {

std::size_t replyLengthAt(const Bytes& b) {
    if (b.size() >= 2 && (b[1] & 0x80))
        return 5;
    if (b.size() < 3)
        return 0;
    if (b[1] == 16)
        return 8;
    return static_cast<std::size_t>(b[2]) + 5;
}

SplitResult takeReplyFrame(Bytes& buffer, Bytes& frame, bool noMore) {
    if (buffer.empty())
        return SplitResult::NeedMore;
    const std::size_t length = replyLengthAt(buffer);
    if (length != 0 && buffer.size() >= length) {
        CJBusFrame f;
        if (f.parse(buffer.data(), length) == 0) {
            frame.assign(buffer.begin(), buffer.begin() + static_cast<long>(length));
            buffer.erase(buffer.begin(), buffer.begin() + static_cast<long>(length));
            return SplitResult::Frame;
        }
    } else if (!noMore) {
        return SplitResult::NeedMore;
    }
    frame.assign(1, buffer.front());
    buffer.erase(buffer.begin());
    return SplitResult::Garbage;
}

} // namespace ks
