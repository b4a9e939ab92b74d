#pragma once

#include "link/JBusLink.h"
#include "link/ResultCodes.h"
#include "support/PtyPair.h"

#include <gtest/gtest.h>

namespace ks::test {

// A link opened on a scripted peer at 9600 baud with short time-outs.
class LinkFixture : public ::testing::Test {
protected:
    static constexpr int kPort = 42;

    void startPeer(PtyPeer::Script script) {
        ASSERT_TRUE(peer.start(std::move(script)));
        link.serialLink().portTable().assign(kPort, peer.slavePath());
        link.setFirstByteTimeout(150);
        bool connected = false;
        ASSERT_EQ(link.open(kPort, 5, 'N', 8, 1, false, connected), 0);
    }
    static PtyPeer::Answer answer(Bytes b) { return {{std::move(b)}, 0}; }
    static PtyPeer::Answer silence() { return {}; }

    CJBusLink link;
    PtyPeer peer;
};

} // namespace ks::test
