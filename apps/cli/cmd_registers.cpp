// read ADDR COUNT / write ADDR WORD...: plain register access.
#include "CliArgs.h"
#include "CliCommand.h"
#include "link/JBusLink.h"
#include "link/ResultCodes.h"

#include <algorithm>
#include <ostream>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

int runRead(CliContext& ctx) {
    long long address = 0, count = 0;
    if (ctx.args.size() != 2 || !parseInRange(ctx.args[0], 0, 0xFFFF, address) ||
        !parseInRange(ctx.args[1], 1, 125, count)) {
        *ctx.err << "usage: read ADDR COUNT (COUNT 1..125)\n";
        return 2;
    }
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    Bytes data;
    const int code = link->transaction(ctx.options.slave, 3, static_cast<int>(address),
                                       static_cast<int>(count), data, 2);
    if (code != 0)
        return reportFailure(ctx, code);
    *ctx.out << hexWords(data) << "\n";
    return 0;
}

int runWrite(CliContext& ctx) {
    long long address = 0;
    if (ctx.args.size() < 2 || ctx.args.size() > 124 ||
        !parseInRange(ctx.args[0], 0, 0xFFFF, address)) {
        *ctx.err << "usage: write ADDR WORD... (1..123 words)\n";
        return 2;
    }
    Bytes words;
    for (std::size_t i = 1; i < ctx.args.size(); ++i) {
        long long w = 0;
        if (!parseInRange(ctx.args[i], -32768, 0xFFFF, w)) {
            *ctx.err << "not a 16-bit word: " << ctx.args[i] << "\n";
            return 2;
        }
        words.push_back(static_cast<std::uint8_t>((w >> 8) & 0xFF));
        words.push_back(static_cast<std::uint8_t>(w & 0xFF));
    }
    CJBusLink* link = ctx.link();
    if (!link)
        return 1;
    const int count = static_cast<int>(words.size() / 2);
    // A meter takes longer to store values than to read them.
    link->setFirstByteTimeout(ctx.options.timeoutMs > 0 ? ctx.options.timeoutMs : 2500);
    const int code =
        link->transaction(ctx.options.slave, 16, static_cast<int>(address), count, words, 2);
    if (code != 0)
        return reportFailure(ctx, code);
    return 0;
}

const CliCommandRegistration readReg{"read", "read ADDR COUNT", &runRead};
const CliCommandRegistration writeReg{"write", "write ADDR WORD...", &runWrite};

} // namespace
} // namespace ks::cli
