#include "measurement/MeasureAcquisition.h"

#include "measurement/MeasureIds.h"

namespace ks {

namespace {

namespace blk = measure::block;

constexpr int kRead = 3;
constexpr int kWrite = 16;

} // namespace

CMeasureAcquisition::CMeasureAcquisition(CBlockFields& blocks, const CFieldList& fields)
    : m_blocks(blocks), m_fields(fields) {}

JBusRequest CMeasureAcquisition::firstRequest(int slave) const {
    return requestFor(blk::kMainSettings, slave);
}

JBusRequest CMeasureAcquisition::requestFor(int blockCode, int slave) const {
    const ReadRange r = readRange(m_fields, blockCode);
    JBusRequest request;
    request.slave = slave;
    request.function = kRead;
    request.address = r.address;
    request.count = r.count;
    request.itemSize = 2;
    return request;
}

CMeasureAcquisition::Result CMeasureAcquisition::decodeAndMove(JBusRequest& request, int blockCode,
                                                               Bytes bytes, int nextBlock,
                                                               Outcome outcome) {
    if (m_blocks.decodeBlock(blockCode, bytes) != 0)
        return {-1, Outcome::DecodeFailed, false};
    if (nextBlock < 0)
        return {0, outcome, false};
    const int slave = request.slave;
    request = requestFor(nextBlock, slave);
    return {-1, outcome, true};
}

CMeasureAcquisition::Result CMeasureAcquisition::step(JBusRequest& request) {
    const bool answered = !request.data.empty();
    if (m_writePending) {
        const int slave = request.slave;
        if (request.function == kWrite && answered) {
            m_writePending = false;
            if (m_setFirstByteTimeout)
                m_setFirstByteTimeout(m_readTimeoutMs);
            request = requestFor(blk::kMeasurement, slave);
            return {0, Outcome::WriteDone, true};
        }
        // The reply in hand (if any) is dropped: the write goes out in its place.
        if (m_setFirstByteTimeout)
            m_setFirstByteTimeout(m_writeTimeoutMs);
        const Bytes command = m_blocks.encodeBlock(blk::kTotaliserCommand);
        request = JBusRequest{};
        request.slave = slave;
        request.function = kWrite;
        request.address = blk::kTotaliserCommand;
        request.count = static_cast<int>((command.size() + 1) / 2);
        request.data = command;
        request.itemSize = 2;
        return {answered ? 0 : -1, Outcome::WriteSent, true};
    }
    if (!answered)
        return {-1, Outcome::Failed, false};

    const ReadRange fullScale = readRange(m_fields, blk::kMainSettings);
    if (request.function == kRead && request.address == fullScale.address) {
        // Offsets count from the block's start: the registers before the range read as 0.
        Bytes block(static_cast<std::size_t>(2 * fullScale.firstWord), 0);
        block.insert(block.end(), request.data.begin(), request.data.end());
        return decodeAndMove(request, blk::kMainSettings, std::move(block), blk::kSpecial,
                             Outcome::FullScale);
    }
    switch (request.address) {
    case blk::kSpecial:
        return decodeAndMove(request, blk::kSpecial, request.data, blk::kOemName,
                             Outcome::StartupBlock);
    case blk::kOemName:
        return decodeAndMove(request, blk::kOemName, request.data, blk::kFactory,
                             Outcome::StartupBlock);
    case blk::kFactory:
        return decodeAndMove(request, blk::kFactory, request.data, blk::kMeasurement,
                             Outcome::StartupBlock);
    default:
        return decodeAndMove(request, blk::kMeasurement, request.data, -1, Outcome::Measurement);
    }
}

} // namespace ks
