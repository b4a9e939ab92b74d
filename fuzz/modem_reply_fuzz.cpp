// Feeds arbitrary modem replies to the reply reading, the status-box text and the dialog's
// step table, and arbitrary command bytes to the simulated modem.
#include "link/ModemCommands.h"
#include "link/ModemOutcome.h"
#include "sim/HayesModem.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::string reply(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string shown = ks::modem::displayText(reply);
    // Every "&" and "%" is doubled, and no carriage return or other control byte stays.
    std::size_t amps = 0, shownAmps = 0;
    for (char c : reply)
        amps += (c == '&' || c == '%');
    for (char c : shown) {
        shownAmps += (c == '&' || c == '%');
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\n' && c != '\t')
            __builtin_trap();
    }
    if (shownAmps != 2 * amps)
        __builtin_trap();
    const int steps[] = {0, 1, 2, 100, 101};
    const ks::ModemStepAction a =
        ks::modemStepAction(data[0] & 1, steps[(data[0] >> 1) % 5], reply);
    if (a.end == ks::ModemStepAction::End::Accept && !ks::modem::saysOk(reply) &&
        ks::modem::dialReply(reply) != ks::modem::DialReply::Connect)
        __builtin_trap();

    ks::sim::CHayesModem modem({0.01, 0.05, 0.01, 9600});
    ks::Bytes toMeter, toProgram;
    double now = 0;
    for (std::size_t i = 1; i < size; i += 7) {
        const std::size_t n = std::min<std::size_t>(7, size - i);
        modem.fromProgram(data + i, n, now, toMeter, toProgram);
        now += (data[i] & 0x0F) * 0.005;
        modem.tick(now, toProgram);
    }
    return 0;
}
