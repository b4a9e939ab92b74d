#pragma once

#include "SimTestSupport.h"
#include "sim/SimMeter.h"

#include <gtest/gtest.h>

namespace ks::simtest {

inline sim::SimOptions withSlave(int slave, int app = 1) {
    sim::SimOptions o;
    o.slave = slave;
    o.app = app;
    return o;
}

// A meter at slave 5 (so that slave 1 is "another meter") and a master talking to it.
class MeterFixture : public ::testing::Test {
protected:
    static constexpr int kSlave = 5;

    explicit MeterFixture(const sim::SimOptions& options = withSlave(kSlave)) : meter(options) {}

    Bytes ask(const Bytes& request, double now = 1.0) {
        return meter.handleRequest(request.data(), request.size(), now);
    }

    // The registers as bytes; fails the test when the meter does not answer properly.
    Bytes readBlock(int address, int count, double now = 1.0) {
        Exchange x;
        Bytes data;
        const int code = x.check(ask(x.read(kSlave, address, count), now), &data);
        EXPECT_EQ(code, 0) << "read of " << count << " at 0x" << std::hex << address;
        return data;
    }

    int writeBlock(int address, const Bytes& bytes, double now = 1.0) {
        Exchange x;
        return x.check(ask(x.write(kSlave, address, bytes), now));
    }

    sim::CSimMeter meter;
};

} // namespace ks::simtest
