#pragma once

#include "framework/BlockFields.h"
#include "settings/BlockExchange.h"

#include <functional>

namespace ks {

class CJBusLink;

// Block reads and writes over a link that is already open (the command line's): one
// function-3 exchange spread over the fields, or one function-16 exchange of the block built
// from them, in whole registers. A failure hands the link's result code to `onFailure`.
class CLinkBlockExchange : public CBlockExchange {
public:
    CLinkBlockExchange(CJBusLink& link, CBlockFields& fields, int slave);

    void setTimeouts(int readMs, int writeMs) {
        m_readMs = readMs;
        m_writeMs = writeMs;
    }
    void setFailureHandler(std::function<void(int blockCode, int code)> h) {
        m_onFailure = std::move(h);
    }
    // The meter answers at another slave number from now on.
    void setSlave(int slave) { m_slave = slave; }

    int readBlock(int blockCode) override;
    int writeBlock(int blockCode) override;

private:
    CJBusLink& m_link;
    CBlockFields& m_fields;
    int m_slave;
    int m_readMs = 1000;
    int m_writeMs = 2500;
    std::function<void(int, int)> m_onFailure;
};

} // namespace ks
