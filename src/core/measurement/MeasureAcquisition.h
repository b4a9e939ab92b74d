#pragma once

#include "framework/BlockFields.h"
#include "framework/FieldList.h"
#include "link/JBusRequest.h"
#include "measurement/MeasureBlocks.h"

#include <functional>

namespace ks {

// The reply step of the measurement dialog: what it does with each polled exchange. The
// polling starts on the flow full scale (2 registers at 0x1111); each decoded start-up block
// moves the request on, 0x4000 -> 0x122F -> 0x2200 -> the measurement block, which is then
// polled for as long as the dialog is open. A failed exchange or a block that does not
// decode leaves the request as it is, so the same block is read again at the next period. A
// totaliser command, once armed, is written with one function-16 exchange in place of the
// next read, after which the measurement block is polled again.
//
// Runs on the thread that handles the worker's notifications; the caller takes the request
// from the link (getRequest), hands it to step(), and puts it back (setRequest) when step()
// replaced it, before acknowledging.
class CMeasureAcquisition {
public:
    // What step() did with one exchange.
    enum class Outcome {
        Failed,       // empty reply: nothing decoded, the request repeats
        DecodeFailed, // the reply did not decode: the request repeats
        FullScale,    // the full scale was decoded; the request moved to 0x4000
        StartupBlock, // 0x4000, 0x122F or 0x2200 decoded; the request moved on
        Measurement,  // the measurement block was decoded
        WriteSent,    // the request became the totaliser command write
        WriteDone,    // the write was answered; the measurement block is polled again
    };

    struct Result {
        int code = -1; // 0 for a measurement and an answered exchange of the write steps
        Outcome outcome = Outcome::Failed;
        bool replaced = false; // the caller must hand the request back to the link
    };

    // blocks decodes into and encodes from the fields; fields give the read ranges (taken
    // afresh for each exchange, so fields may be registered after construction).
    CMeasureAcquisition(CBlockFields& blocks, const CFieldList& fields);

    // First-byte time-outs of the dialog while it reads and while it writes, and where to set
    // them (the link's first-byte time-out).
    void setTimeouts(int readMs, int writeMs) {
        m_readTimeoutMs = readMs;
        m_writeTimeoutMs = writeMs;
    }
    void setFirstByteTimeoutSetter(std::function<void(int)> set) {
        m_setFirstByteTimeout = std::move(set);
    }

    // The request polling starts with: the flow full scale of the main settings block.
    JBusRequest firstRequest(int slave) const;
    // The read request of a block by its read range.
    JBusRequest requestFor(int blockCode, int slave) const;

    // A totaliser command waits: the next exchange writes the block 0x2306 built from the
    // fields in place of a read.
    void armWrite() { m_writePending = true; }
    bool writePending() const { return m_writePending; }

    // One exchange's reply (request.data) handled; the request may be replaced in place.
    Result step(JBusRequest& request);

private:
    Result decodeAndMove(JBusRequest& request, int blockCode, Bytes bytes, int nextBlock,
                         Outcome outcome);

    CBlockFields& m_blocks;
    const CFieldList& m_fields;
    bool m_writePending = false;
    int m_readTimeoutMs = 1000;
    int m_writeTimeoutMs = 2500;
    std::function<void(int)> m_setFirstByteTimeout;
};

} // namespace ks
