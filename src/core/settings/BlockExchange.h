#pragma once

namespace ks {

// Reading and writing one register block of a dialog's fields with the meter: 0 on success,
// anything else after the reason was shown to the user.
class CBlockExchange {
public:
    virtual ~CBlockExchange() = default;
    virtual int readBlock(int blockCode) = 0;
    virtual int writeBlock(int blockCode) = 0;
};

} // namespace ks
