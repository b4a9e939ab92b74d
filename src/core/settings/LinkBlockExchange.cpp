#include "settings/LinkBlockExchange.h"

#include "link/JBusLink.h"

namespace ks {

CLinkBlockExchange::CLinkBlockExchange(CJBusLink& link, CBlockFields& fields, int slave)
    : m_link(link), m_fields(fields), m_slave(slave) {}

int CLinkBlockExchange::readBlock(int blockCode) {
    const int count = (m_fields.blockSize(blockCode) + 1) / 2;
    if (count <= 0)
        return -1;
    m_link.setFirstByteTimeout(m_readMs);
    Bytes data;
    const int code = m_link.transaction(m_slave, 3, blockCode, count, data, 2);
    if (code != 0) {
        if (m_onFailure)
            m_onFailure(blockCode, code);
        return code;
    }
    return m_fields.decodeBlock(blockCode, data) == 0 ? 0 : -1;
}

int CLinkBlockExchange::writeBlock(int blockCode) {
    const int count = (m_fields.blockSize(blockCode) + 1) / 2;
    if (count <= 0)
        return -1;
    m_link.setFirstByteTimeout(m_writeMs);
    Bytes data = m_fields.encodeBlock(blockCode);
    data.resize(2 * static_cast<std::size_t>(count), 0);
    const int code = m_link.transaction(m_slave, 16, blockCode, count, data, 2);
    if (code != 0 && m_onFailure)
        m_onFailure(blockCode, code);
    return code;
}

} // namespace ks
