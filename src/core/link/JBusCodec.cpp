#include "link/JBusCodec.h"

#include "link/ResultCodes.h"

namespace ks {

namespace {
std::uint8_t lo(int v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}
std::uint8_t hi(int v) {
    return static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
} // namespace

int CJBusCodec::encode(int slave, int function, int address, int count, int itemSize,
                       const Bytes& data) {
    m_itemSize = itemSize == 0 ? 2 : itemSize;
    m_function = function;
    m_address = address;
    m_count = count;
    m_request.clear();

    Bytes body{hi(address), lo(address), hi(count), lo(count)};
    if (function == 16) {
        body.push_back(lo(2 * count));
        body.insert(body.end(), data.begin(), data.end());
        // Keep the register data whole: an odd number of data bytes gets a filler byte.
        if (body.size() % 2 == 0)
            body.push_back(0);
    }
    m_request.build(lo(slave), lo(function), body);
    return static_cast<int>(m_request.raw.size()) > kMaxFrameLength ? LINK_REQUEST_TOO_LONG : 0;
}

int CJBusCodec::validate() const {
    const CJBusFrame& rq = m_request;
    const CJBusFrame& rp = m_reply;
    if (rq.slave != 0 && rp.slave != rq.slave)
        return LINK_WRONG_SLAVE;
    if ((rp.function & 0x80) && (rp.function & 0x7F) == rq.function)
        return LINK_EXCEPTION_BASE + (rp.data.empty() ? 0 : rp.data[0]);
    if (rp.function != rq.function)
        return LINK_WRONG_FUNCTION;
    if (rq.function == 16) {
        if (rp.data.size() != 4 || rp.data[2] * 256 + rp.data[3] != m_count)
            return LINK_WRONG_LENGTH;
        return 0;
    }
    const std::size_t expected = static_cast<std::size_t>(m_count) * m_itemSize;
    if (rp.data.empty() || rp.data[0] != expected || rp.data.size() - 1 != expected)
        return LINK_WRONG_LENGTH;
    return 0;
}

} // namespace ks
