#include "sim/SimCommandLine.h"

#include "sim/BlockMap.h"
#include "sim/PseudoTerminal.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ks::sim {

namespace {

template <typename T> bool parseNumber(const std::string& text, T& value, int base = 10) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    std::from_chars_result r{};
    if constexpr (std::is_floating_point_v<T>)
        r = std::from_chars(first, last, value);
    else
        r = std::from_chars(first, last, value, base);
    return !text.empty() && r.ec == std::errc() && r.ptr == last;
}

bool parseInt(const std::string& text, int lo, int hi, int& out) {
    long long v = 0;
    if (!parseNumber(text, v) || v < lo || v > hi)
        return false;
    out = static_cast<int>(v);
    return true;
}

bool parseProbability(const std::string& text, double& out) {
    double v = 0;
    if (!parseNumber(text, v) || !std::isfinite(v) || v < 0 || v > 1)
        return false;
    out = v;
    return true;
}

bool parseHex16(std::string text, std::uint32_t& out) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.erase(0, 2);
    unsigned long v = 0;
    if (!parseNumber(text, v, 16) || v > 0xFFFF)
        return false;
    out = static_cast<std::uint32_t>(v);
    return true;
}

bool printableText(const std::string& text, std::size_t maxLength) {
    if (text.empty() || text.size() > maxLength)
        return false;
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7E)
            return false;
    return true;
}

} // namespace

std::string simUsage() {
    return "usage: calyptron-sim [options]\n"
           "  --link PATH      make PATH a symbolic link to the pseudo-terminal\n"
           "  --slave N        own JBus slave number, 1..247 (default 1)\n"
           "  --baud RATE      the only line rate answered: 300..115200 (default 9600)\n"
           "  --app 1|2|3      one chord, two chords, two pipes (default 1)\n"
           "  --pace           deliver requests and replies at the line rate\n"
           "  --drop P         probability 0..1 of not answering\n"
           "  --corrupt P      probability 0..1 of one flipped bit in a reply\n"
           "  --noise P        probability 0..1 of garbled bytes or garbage after a reply\n"
           "  --delay MS       extra delay before each reply, 0..60000 ms\n"
           "  --seed N         seed of the fault generator (default 1)\n"
           "  --firmware TEXT  firmware version text, at most 20 printable characters\n"
           "  --faults HEX     fault flags of the measurement block, 0..FFFF\n"
           "  --refuse-write HEX  refuse writes that start at this register (exception 4)\n"
           "  --quality-after S  chord 1's signal quality is 100 from S seconds after the first\n"
           "                   request on, or 'never' (the default)\n"
           "  --silent-block HEX  leave reads of the block at that address unanswered\n"
           "                   (may be repeated)\n"
           "  --modem          put a Hayes modem in front of the meter\n"
           "  --modem-delay MS from the dial to CONNECT, 0..60000 ms (default 1500)\n"
           "  --modem-drop S   each call loses its carrier after S seconds\n"
           "  --help           show this text\n"
           "Prints 'PTY <path>' first, then serves until SIGINT or SIGTERM.\n";
}

bool parseSimCommandLine(const std::vector<std::string>& args, SimCommandLine& out,
                         std::string& error) {
    out = SimCommandLine{};
    SimOptions& o = out.options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            out.help = true;
            continue;
        }
        if (name == "--pace") {
            o.pace = true;
            continue;
        }
        if (name == "--modem") {
            o.modem = true;
            continue;
        }
        static const char* const kWithValue[] = {
            "--link",       "--slave",        "--baud",          "--app",
            "--drop",       "--corrupt",      "--noise",         "--delay",
            "--seed",       "--firmware",     "--faults",        "--modem-delay",
            "--modem-drop", "--refuse-write", "--quality-after", "--silent-block"};
        bool known = false;
        for (const char* k : kWithValue)
            known = known || name == k;
        if (!known) {
            error = "unknown option: " + name;
            return false;
        }
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (name == "--link") {
            ok = !value.empty();
            out.link = value;
        } else if (name == "--slave") {
            ok = parseInt(value, 1, 247, o.slave);
        } else if (name == "--baud") {
            ok = parseInt(value, 1, std::numeric_limits<int>::max(), o.baud) &&
                 speedForBaud(o.baud) != 0;
        } else if (name == "--app") {
            ok = parseInt(value, 1, 3, o.app);
        } else if (name == "--drop") {
            ok = parseProbability(value, o.drop);
        } else if (name == "--corrupt") {
            ok = parseProbability(value, o.corrupt);
        } else if (name == "--noise") {
            ok = parseProbability(value, o.noise);
        } else if (name == "--delay") {
            ok = parseInt(value, 0, 60000, o.delayMs);
        } else if (name == "--seed") {
            ok = parseNumber(value, o.seed);
        } else if (name == "--firmware") {
            ok = printableText(value, 20);
            o.firmware = value;
        } else if (name == "--faults") {
            ok = parseHex16(value, o.faults);
        } else if (name == "--refuse-write") {
            std::uint32_t address = 0;
            ok = parseHex16(value, address);
            o.refuseWrite = static_cast<int>(address);
        } else if (name == "--quality-after") {
            o.qualityAfterSeconds = -1;
            ok = value == "never" || (parseNumber(value, o.qualityAfterSeconds) &&
                                      std::isfinite(o.qualityAfterSeconds) &&
                                      o.qualityAfterSeconds >= 0 && o.qualityAfterSeconds <= 86400);
        } else if (name == "--silent-block") {
            std::uint32_t address = 0;
            ok = parseHex16(value, address) && blockAt(static_cast<int>(address)) != nullptr &&
                 blockAt(static_cast<int>(address))->address == static_cast<int>(address);
            if (ok)
                o.silentBlocks.push_back(static_cast<int>(address));
        } else if (name == "--modem-delay") {
            ok = parseInt(value, 0, 60000, o.modemDelayMs);
        } else if (name == "--modem-drop") {
            ok = parseNumber(value, o.modemDropSeconds) && std::isfinite(o.modemDropSeconds) &&
                 o.modemDropSeconds > 0 && o.modemDropSeconds <= 86400;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

} // namespace ks::sim
