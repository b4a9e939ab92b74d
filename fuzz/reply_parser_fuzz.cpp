// Feeds arbitrary bytes to the reply parser and validator, against a few requests.
#include "link/JBusCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static const struct {
        int slave, function, address, count;
    } kRequests[] = {{1, 3, 0x10, 82}, {0, 3, 0xFF00, 25}, {17, 16, 0x2301, 3}, {1, 3, 0, 1}};
    const auto& rq = kRequests[data[0] % 4];
    ks::CJBusCodec codec;
    codec.encode(rq.slave, rq.function, rq.address, rq.count, 2, ks::Bytes(2 * rq.count, 0));
    if (codec.parseReply(data + 1, size - 1) == 0 && codec.validate() == 0) {
        // An accepted reply must carry exactly what the request asked for.
        const auto& d = codec.reply().data;
        if (rq.function == 3 && d.size() != static_cast<std::size_t>(2 * rq.count + 1))
            __builtin_trap();
        if (rq.function == 16 && d.size() != 4)
            __builtin_trap();
    }
    return 0;
}
