#include "link/FrameReceiver.h"

#include "link/ResultCodes.h"
#include "link/SerialAlias.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <unistd.h>

namespace ks {

CFrameReceiver::~CFrameReceiver() {
    m_serial.close();
}

int CFrameReceiver::open(int portNumber, int baudIndex, char parity, int dataBits, int stopBits,
                         bool modem, bool& connected) {
    if (modem) {
        if (connected)
            return 0;
        if (!m_modemConnector || m_modemConnector(*this) != 0)
            return LINK_MODEM_NOT_CONNECTED;
        connected = true;
        m_baudIndex = baudIndex;
        m_serial.startReader(firstByteTimeout());
        return 0;
    }
    const BaudEntry& entry = baudEntry(baudIndex);
    if (entry.baud == 0)
        return LINK_PORT_UNAVAILABLE;
    if (m_serial.open(this, portNumber, entry.baud, parity, dataBits, stopBits) != 0)
        return LINK_PORT_UNAVAILABLE;
    m_interByteTimeout = entry.interByteTimeoutMs;
    m_baudIndex = baudIndex;
    m_line = {portNumber, baudIndex, parity,
              dataBits,   stopBits,  stableSerialName(m_serial.portTable().pathOf(portNumber))};
    m_serial.startReader(firstByteTimeout());
    return 0;
}

int CFrameReceiver::reopen() {
    if (m_line.portNumber < 1)
        return LINK_PORT_UNAVAILABLE;
    // An adapter plugged in again may have another ttyUSB number: follow its by-id name.
    const std::string stable = m_line.stableName;
    if (!stable.empty() && ::access(stable.c_str(), F_OK) == 0)
        m_serial.portTable().assign(m_line.portNumber, stable);
    bool connected = false;
    return open(m_line.portNumber, m_line.baudIndex, m_line.parity, m_line.dataBits,
                m_line.stopBits, false, connected);
}

int CFrameReceiver::close() {
    m_baudIndex = -1;
    return m_serial.close();
}

bool CFrameReceiver::receptionComplete(Bytes& reception) {
    return static_cast<int>(reception.size()) == m_expectedLength.load();
}

int CFrameReceiver::onByte(int b) {
    bool complete;
    {
        std::lock_guard<std::mutex> lock(m_receptionMutex);
        if (!m_receiving)
            return -1;
        m_reception.push_back(static_cast<std::uint8_t>(b & 0xFF));
        if (m_reception.size() == 1)
            m_firstByteAt = std::chrono::steady_clock::now();
        m_serial.setReadTimeout(m_interByteTimeout);
        complete = receptionComplete(m_reception);
        if (complete)
            m_receiving = false;
    }
    if (complete)
        m_receptionCv.notify_all();
    else
        m_serial.requestByte();
    return 0;
}

int CFrameReceiver::bytesToAwait(long baud) {
    std::lock_guard<std::mutex> lock(m_receptionMutex);
    const int held = static_cast<int>(m_reception.size());
    if (!m_receiving || held < 2)
        return 0;
    // Bytes that came in at least half as fast as the line allows are taken to keep coming at
    // that pace; a faster source (a pseudo-terminal, a buffered adapter) is never waited for.
    const double charTime = 10.0 / static_cast<double>(baud);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_firstByteAt).count();
    if (elapsed < 0.5 * charTime * (held - 1))
        return 0;
    return m_expectedLength.load() - held;
}

void CFrameReceiver::endOfReception() {
    m_stopWait.store(true);
    {
        // When receive() holds the lock it ends the reception itself on seeing m_stopWait.
        std::unique_lock<std::mutex> lock(m_receptionMutex, std::try_to_lock);
        if (lock.owns_lock())
            m_receiving = false;
    }
    m_receptionCv.notify_all();
}

int CFrameReceiver::readWithin(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(0, timeoutMs));
    for (;;) {
        const auto now = Clock::now();
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now).count();
        const int slice = static_cast<int>(std::clamp<long long>(left, 0, kWaitSliceMs));
        const int b = m_serial.readByte(slice);
        if (b != PORT_NOTHING_TO_READ)
            return b;
        if (m_stopWait.load() || Clock::now() >= deadline)
            return b;
        // A port that reports nothing at once (closed under us) must not make this spin.
        std::this_thread::sleep_until(std::min(deadline, now + std::chrono::milliseconds(slice)));
    }
}

int CFrameReceiver::receive(Bytes& out, bool flush) {
    return receiveWithin(out, flush, firstByteTimeout());
}

int CFrameReceiver::receiveWithin(Bytes& out, bool flush, int firstByteMs) {
    m_stopWait.store(false);
    {
        std::lock_guard<std::mutex> lock(m_receptionMutex);
        m_reception.clear();
        m_receiving = true;
    }
    if (flush)
        m_serial.flush();
    if (!m_serial.isOpen()) {
        endOfReception();
        return LINK_NO_REPLY;
    }
    // The reply is read on this thread, in bulk: each wake-up of the port hands over
    // everything it holds, so a reply costs a few system calls and no thread hand-off.
    std::lock_guard<std::mutex> lock(m_receptionMutex);
    int timeoutMs = firstByteMs;
    bool lost = false;
    for (;;) {
        const int b = readWithin(timeoutMs);
        if (b < 0) {
            m_receiving = false; // time-out: the reply, if any, is what came so far
            lost = b == PORT_LOST;
            break;
        }
        m_reception.push_back(static_cast<std::uint8_t>(b));
        if (m_reception.size() == 1)
            m_firstByteAt = std::chrono::steady_clock::now();
        timeoutMs = m_interByteTimeout;
        if (receptionComplete(m_reception)) {
            m_receiving = false;
            break;
        }
        if (m_serial.bufferedBytes() == 0)
            napForLineBytes();
    }
    if (lost)
        return LINK_PORT_LOST;
    if (m_reception.empty())
        return LINK_NO_REPLY;
    out = m_reception;
    return 0;
}

int CFrameReceiver::collect(Bytes& into, int timeoutMs) {
    m_stopWait.store(false);
    int b = readWithin(timeoutMs);
    if (b < 0)
        return b == PORT_LOST ? PORT_LOST : PORT_NOTHING_TO_READ;
    into.push_back(static_cast<std::uint8_t>(b));
    while (m_serial.bufferedBytes() > 0) {
        b = m_serial.readByte(0);
        if (b < 0)
            break;
        into.push_back(static_cast<std::uint8_t>(b));
    }
    return 0;
}

void CFrameReceiver::napForLineBytes() {
    // On a real line the rest of a reply trickles in one byte per character time: rather
    // than waking for every byte, sleep until the bytes still expected can have arrived and
    // take them in one read. Called with the reception lock held.
    const long baud = m_serial.baud();
    if (baud <= 0)
        return;
    const int held = static_cast<int>(m_reception.size());
    if (held < 2)
        return;
    // Bytes that came in at least half as fast as the line allows are taken to keep coming at
    // that pace; a faster source (a pseudo-terminal, a buffered adapter) is never waited for.
    const double charTime = 10.0 / static_cast<double>(baud);
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_firstByteAt).count();
    if (elapsed < 0.5 * charTime * (held - 1))
        return;
    const int more = m_expectedLength.load() - held;
    if (more <= 1)
        return;
    // Never past the inter-byte time-out, so a line that stops is noticed in time.
    const long long us = std::min<long long>(10LL * 1000000LL * more / baud,
                                             1000LL * std::max(0, m_interByteTimeout - 1));
    std::this_thread::sleep_for(std::chrono::microseconds(us));
}

int CFrameReceiver::receiveText(std::string& out) {
    Bytes bytes;
    const int r = receive(bytes, false);
    out.assign(bytes.begin(), bytes.end());
    return r;
}

int CFrameReceiver::sendText(const std::string& text) {
    m_serial.writeBlock(Bytes(text.begin(), text.end()));
    return 0;
}

} // namespace ks
