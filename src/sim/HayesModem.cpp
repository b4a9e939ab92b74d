#include "sim/HayesModem.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace ks::sim {

namespace {

constexpr std::size_t kMaxLine = 200;
// A missing dial tone is noticed quickly; the other outcomes take the call's delay.
constexpr double kDialtoneDelay = 0.2;

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

CHayesModem::CHayesModem(Options options) : m_options(options) {}

void CHayesModem::reply(const char* text, Bytes& toProgram) const {
    const std::string r = std::string("\r\n") + text + "\r\n";
    toProgram.insert(toProgram.end(), r.begin(), r.end());
}

void CHayesModem::fromProgram(const std::uint8_t* bytes, std::size_t n, double now, Bytes& toMeter,
                              Bytes& toProgram) {
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint8_t b = bytes[i];
        switch (m_state) {
        case State::Online:
            if (b == '+' && m_pluses == 0 && now - m_lastByte >= m_options.guardTime) {
                m_pluses = 1;
            } else if (b == '+' && m_pluses > 0 && m_pluses < 3) {
                if (++m_pluses == 3)
                    m_escapeAt = now + m_options.guardTime;
            } else {
                releasePluses(toMeter);
                toMeter.push_back(b);
            }
            break;
        case State::Dialling:
            // Any key breaks off the call; the line feed after the dial command does not.
            if (b != '\n') {
                m_state = State::Command;
                reply("NO CARRIER", toProgram);
            }
            break;
        case State::Command:
            commandByte(b, now, toProgram);
            break;
        }
        m_lastByte = now;
    }
}

void CHayesModem::releasePluses(Bytes& toMeter) {
    toMeter.insert(toMeter.end(), static_cast<std::size_t>(m_pluses), '+');
    m_pluses = 0;
    m_escapeAt = -1;
}

void CHayesModem::fromMeter(const Bytes& replyBytes, Bytes& toProgram) const {
    if (m_state == State::Online)
        toProgram.insert(toProgram.end(), replyBytes.begin(), replyBytes.end());
}

void CHayesModem::commandByte(std::uint8_t b, double now, Bytes& toProgram) {
    if (m_echo)
        toProgram.push_back(b);
    if (b == '\r') {
        const std::string line = m_line;
        m_line.clear();
        runLine(line, now, toProgram);
    } else if (b == 8 || b == 0x7F) {
        if (!m_line.empty())
            m_line.pop_back();
    } else if (b != '\n') {
        // Only the end of an endless line can hold a command.
        if (m_line.size() >= kMaxLine)
            m_line.erase(0, 1);
        m_line.push_back(static_cast<char>(b));
    }
}

void CHayesModem::runLine(const std::string& line, double now, Bytes& toProgram) {
    // Whatever came before "AT" (a JBus frame sent to a modem without a call) is noise.
    const std::string upper = [&] {
        std::string u = line;
        for (char& c : u)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return u;
    }();
    const auto at = upper.rfind("AT");
    if (at == std::string::npos)
        return;
    bool replied = false;
    if (!runCommands(line.substr(at + 2), now, toProgram, replied))
        reply("ERROR", toProgram);
    else if (!replied)
        reply("OK", toProgram);
}

bool CHayesModem::runCommands(const std::string& commands, double now, Bytes& toProgram,
                              bool& replied) {
    std::size_t i = 0;
    auto skipDigits = [&] {
        while (i < commands.size() && std::isdigit(static_cast<unsigned char>(commands[i])))
            ++i;
    };
    while (i < commands.size()) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(commands[i++])));
        switch (c) {
        case ' ':
            break;
        case 'D': {
            if (m_carrier)
                return false;
            std::string number = commands.substr(i);
            const std::string t = trimmed(number);
            number = t;
            if (!number.empty() && (std::toupper(static_cast<unsigned char>(number[0])) == 'T' ||
                                    std::toupper(static_cast<unsigned char>(number[0])) == 'P'))
                number = trimmed(number.substr(1));
            dial(number, now);
            replied = true;
            return true;
        }
        case 'H':
            skipDigits();
            m_carrier = false;
            m_state = State::Command;
            break;
        case 'O':
            skipDigits();
            if (!m_carrier)
                return false;
            goOnline(now, toProgram);
            replied = true;
            return true;
        case 'E':
            m_echo = !(i < commands.size() && commands[i] == '0');
            skipDigits();
            break;
        case 'Z':
            m_echo = true;
            skipDigits();
            break;
        case '&':
            if (i >= commands.size())
                return false;
            if (std::toupper(static_cast<unsigned char>(commands[i])) == 'F')
                m_echo = true;
            ++i;
            skipDigits();
            break;
        case 'S':
            skipDigits();
            if (i < commands.size() && commands[i] == '=') {
                ++i;
                skipDigits();
            } else if (i < commands.size() && commands[i] == '?') {
                ++i;
            }
            break;
        case 'Q':
        case 'V':
        case 'W':
        case 'M':
        case 'L':
        case 'X':
        case 'B':
        case 'C':
        case 'N':
            skipDigits();
            break;
        default:
            return false;
        }
    }
    return true;
}

void CHayesModem::dial(const std::string& number, double now) {
    const std::string n = lower(number);
    double delay = m_options.connectDelay;
    if (endsWith(n, "nodial")) {
        m_outcome = Outcome::NoDialtone;
        delay = std::min(delay, kDialtoneDelay);
    } else if (endsWith(n, "nocarrier")) {
        m_outcome = Outcome::NoCarrier;
    } else if (endsWith(n, "busy")) {
        m_outcome = Outcome::Busy;
    } else {
        m_outcome = Outcome::Connect;
    }
    m_state = State::Dialling;
    m_dialEnd = now + delay;
}

void CHayesModem::goOnline(double now, Bytes& toProgram) {
    m_state = State::Online;
    m_pluses = 0;
    m_escapeAt = -1;
    m_lastByte = now;
    reply(("CONNECT " + std::to_string(m_options.lineBaud)).c_str(), toProgram);
}

void CHayesModem::tick(double now, Bytes& toProgram) {
    if (m_state == State::Dialling && now >= m_dialEnd) {
        m_state = State::Command;
        switch (m_outcome) {
        case Outcome::Connect:
            m_carrier = true;
            m_callStart = now;
            goOnline(now, toProgram);
            break;
        case Outcome::Busy:
            reply("BUSY", toProgram);
            break;
        case Outcome::NoDialtone:
            reply("NO DIALTONE", toProgram);
            break;
        case Outcome::NoCarrier:
            reply("NO CARRIER", toProgram);
            break;
        }
    }
    if (m_state == State::Online && m_pluses == 3 && m_escapeAt >= 0 && now >= m_escapeAt) {
        m_state = State::Command;
        m_pluses = 0;
        m_escapeAt = -1;
        m_line.clear();
        reply("OK", toProgram);
    }
    if (m_carrier && m_options.dropAfter > 0 && now >= m_callStart + m_options.dropAfter) {
        m_carrier = false;
        m_state = State::Command;
        m_pluses = 0;
        m_escapeAt = -1;
        m_line.clear();
        reply("NO CARRIER", toProgram);
    }
}

double CHayesModem::nextDeadline() const {
    double next = -1;
    auto consider = [&next](double t) {
        if (next < 0 || t < next)
            next = t;
    };
    if (m_state == State::Dialling)
        consider(m_dialEnd);
    if (m_state == State::Online && m_pluses == 3 && m_escapeAt >= 0)
        consider(m_escapeAt);
    if (m_carrier && m_options.dropAfter > 0)
        consider(m_callStart + m_options.dropAfter);
    return next;
}

} // namespace ks::sim
