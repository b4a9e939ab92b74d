#include "framework/BlockValues.h"

#include "framework/BlockLayout.h"

namespace ks {

std::size_t CBlockValues::add(BlockField field, FieldValue value) {
    m_fields.push_back(std::move(field));
    m_values.push_back(std::move(value));
    return m_fields.size() - 1;
}

int CBlockValues::blockSize(int blockCode) const {
    return ks::blockSize(m_fields, blockCode);
}

int CBlockValues::decodeBlock(int blockCode, const Bytes& bytes) {
    std::vector<DecodedField> decoded;
    if (ks::decodeBlock(m_fields, blockCode, bytes, decoded, m_regional) != 0)
        return -1;
    for (DecodedField& d : decoded)
        m_values[d.field] = std::move(d.value);
    return 0;
}

Bytes CBlockValues::encodeBlock(int blockCode) const {
    return ks::encodeBlock(m_fields, blockCode, m_values);
}

} // namespace ks
