// Feeds arbitrary bytes, in arbitrary chunks, through the simulator's request framing and
// the meter: nothing may crash, and every reply must be a well-formed frame of the meter.
#include "sim/RequestFramer.h"
#include "sim/SimMeter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    ks::sim::SimOptions options;
    options.app = 1 + data[0] % 3;
    ks::sim::CSimMeter meter(options);
    ks::sim::CRequestFramer framer(0.002, 0.1);
    std::vector<ks::sim::CRequestFramer::Request> requests;
    double now = 0;
    std::size_t i = 1;
    while (i < size) {
        // Each chunk starts with its length and a pause in milliseconds.
        const std::size_t n = data[i] % 64;
        now += (i + 1 < size ? data[i + 1] : 0) / 1000.0;
        i += 2;
        const std::size_t take = i < size ? std::min(n, size - i) : 0;
        requests.clear();
        framer.feed(data + i, take, now, requests);
        i += take;
        if (framer.pending() > ks::sim::CRequestFramer::kMaxRequest)
            __builtin_trap();
        for (const auto& r : requests) {
            const ks::Bytes reply = meter.handleRequest(r.bytes.data(), r.bytes.size(), now);
            if (reply.empty())
                continue;
            const std::uint16_t reg = ks::crc16Register(reply.data(), reply.size() - 2);
            if (reply.size() < 5 || reply[0] != 1 || reply[reply.size() - 2] != (reg & 0xFF) ||
                reply.back() != (reg >> 8))
                __builtin_trap();
        }
    }
    return 0;
}
