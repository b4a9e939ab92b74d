#pragma once

#include "link/JBusFrame.h"

namespace ks {

// Builds the requests of one link and checks replies against the last request.
class CJBusCodec {
public:
    static constexpr int kMaxFrameLength = 255;

    // Builds the request frame: 0, or LINK_REQUEST_TOO_LONG.
    int encode(int slave, int function, int address, int count, int itemSize, const Bytes& data);
    Bytes requestBytes() const { return m_request.raw; }
    int parseReply(const std::uint8_t* bytes, std::size_t n) { return m_reply.parse(bytes, n); }
    int parseReply(const Bytes& bytes) { return m_reply.parse(bytes); }
    // The reply against the remembered request: 0, 101, 102, 103 or 150 + exception code.
    int validate() const;

    CJBusFrame& request() { return m_request; }
    CJBusFrame& reply() { return m_reply; }
    const CJBusFrame& request() const { return m_request; }
    const CJBusFrame& reply() const { return m_reply; }
    int itemSize() const { return m_itemSize; }
    int count() const { return m_count; }
    int address() const { return m_address; }
    int function() const { return m_function; }

private:
    int m_itemSize = 1;
    CJBusFrame m_reply;
    CJBusFrame m_request;
    int m_count = 0;
    int m_address = 0;
    int m_function = 0;
};

} // namespace ks
