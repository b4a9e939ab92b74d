#include "link/SerialLink.h"

#include "link/ResultCodes.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace ks {

namespace {

// Sleeps until an absolute point of the monotonic clock; short pauses stay accurate.
void sleepUntil(const timespec& t) {
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, nullptr) == EINTR) {
    }
}

timespec monotonicNowPlus(double seconds) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    const long long ns = static_cast<long long>(seconds * 1e9);
    t.tv_sec += static_cast<time_t>(ns / 1000000000LL);
    t.tv_nsec += static_cast<long>(ns % 1000000000LL);
    if (t.tv_nsec >= 1000000000L) {
        t.tv_sec += 1;
        t.tv_nsec -= 1000000000L;
    }
    return t;
}

} // namespace

CSerialLink::CSerialLink() {
    m_ports.scan();
}

CSerialLink::~CSerialLink() {
    close();
}

bool CSerialLink::isOpen() const {
    return m_port != nullptr;
}

int CSerialLink::open(CByteReceiver* receiver, int portNumber, long baud, char parity, int dataBits,
                      int stopBits) {
    if (!receiver)
        return -1;
    m_receiver = receiver;
    if (m_port && m_portNumber == portNumber && m_baud == baud && m_parity == parity &&
        m_dataBits == dataBits) {
        m_stopBits = stopBits;
        if (stopBits != 0)
            return 0;
    }
    close();
    m_openFailure = {};
    const std::string path = m_ports.pathOf(portNumber);
    if (portNumber < 1 || path.empty()) {
        m_openFailure = {PORT_NO_SUCH_PORT, 0, path};
        return -1;
    }
    std::unique_ptr<CommPort> port =
        openPort(path, portNumber - 1, baud, parity, dataBits, stopBits);
    if (port->status() != 0) {
        m_openFailure = {port->status(), port->osError(), path};
        port->close();
        return -1;
    }
    m_port = std::move(port);
    ++m_generation;
    m_portNumber = portNumber;
    m_baud = baud;
    m_parity = parity;
    m_dataBits = dataBits;
    m_stopBits = stopBits;
    return 0;
}

int CSerialLink::close() {
    stopReader();
    if (!m_port)
        return 0;
    const int r = m_port->close();
    m_port.reset();
    ++m_generation;
    m_portNumber = -1;
    m_baud = -1;
    m_parity = 0;
    m_dataBits = -1;
    m_stopBits = -1;
    return r;
}

int CSerialLink::startReader(int readTimeoutMs) {
    if (m_reader.joinable()) {
        if (m_running.load())
            return 0;
        m_reader.join(); // ended by itself when the port went away
    }
    m_readTimeout.store(readTimeoutMs);
    m_running.store(true);
    {
        std::lock_guard<std::mutex> lock(m_eventMutex);
        m_started = false;
        m_readRequested = false;
    }
    try {
        m_reader = std::thread(&CSerialLink::readerLoop, this);
    } catch (...) {
        m_running.store(false);
        return 0;
    }
    std::unique_lock<std::mutex> lock(m_eventMutex);
    m_eventCv.wait(lock, [this] { return m_started; });
    return 1;
}

void CSerialLink::stopReader() {
    if (!m_running.load() && !m_reader.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_eventMutex);
        m_running.store(false);
        m_readRequested = true;
    }
    m_eventCv.notify_all();
    if (m_reader.joinable())
        m_reader.join();
}

void CSerialLink::requestByte() {
    {
        std::lock_guard<std::mutex> lock(m_eventMutex);
        m_readRequested = true;
    }
    m_eventCv.notify_all();
}

void CSerialLink::readerLoop() {
    {
        std::lock_guard<std::mutex> lock(m_eventMutex);
        m_started = true;
    }
    m_eventCv.notify_all();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_eventMutex);
            m_eventCv.wait(lock, [this] { return m_readRequested; });
            m_readRequested = false;
        }
        if (!m_running.load() || !m_port)
            break;
        if (!m_receiver)
            continue;
        int b;
        {
            std::lock_guard<std::mutex> lock(m_readMutex);
            b = readByteWithTimeout(*m_port, m_readTimeout.load());
        }
        if (!m_running.load())
            break;
        if (b < 0) {
            m_receiver->endOfReception();
            continue;
        }
        const bool drained = m_port->bufferedBytes() == 0;
        m_receiver->onByte(b);
        if (drained)
            waitForMoreBytes();
    }
    m_running.store(false);
    // Whoever waits for a reply must not wait for a reader that is gone.
    if (m_receiver)
        m_receiver->endOfReception();
}

void CSerialLink::waitForMoreBytes() {
    // On a real line the rest of a reply trickles in one byte per character time: rather
    // than waking for every byte, sleep until the bytes still expected can have arrived and
    // take them in one read. A stop cuts the sleep short.
    const int more = m_baud > 0 ? m_receiver->bytesToAwait(m_baud) : 0;
    if (more <= 1)
        return;
    const auto nap = std::chrono::microseconds(10LL * 1000000LL * more / m_baud);
    std::unique_lock<std::mutex> lock(m_eventMutex);
    m_eventCv.wait_for(lock, nap, [this] { return !m_running.load(); });
}

int CSerialLink::readByte(int timeoutMs) {
    std::lock_guard<std::mutex> lock(m_readMutex);
    if (!m_port)
        return PORT_NOTHING_TO_READ;
    if (m_port->bufferedBytes() == 0) {
        const int w = m_port->waitReadable(timeoutMs);
        if (w != 0)
            return w;
    }
    const int b = m_port->readByte();
    return b;
}

int CSerialLink::flush() {
    if (!m_port)
        return 0;
    std::lock_guard<std::mutex> lock(m_readMutex);
    if (drainInput(*m_port) != 0)
        return LINK_DRAIN_INPUT_FAILED;
    if (m_port->clearOutput() != 0)
        return LINK_CLEAR_OUTPUT_FAILED;
    return 0;
}

void CSerialLink::waitTransmitted(std::size_t bytes) {
    // Bounded like the per-byte wait: at most 0.1 s per byte for the line to take them.
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::microseconds(100000 * static_cast<long long>(bytes));
    const double byteTime = m_baud > 0 ? 10.0 / static_cast<double>(m_baud) : 0.001;
    for (;;) {
        const int done = transmitComplete(*m_port);
        if (done != 0)
            return; // complete, or the port cannot tell
        if (std::chrono::steady_clock::now() >= deadline)
            return;
        sleepUntil(monotonicNowPlus(std::max(byteTime, 0.0002)));
    }
}

int CSerialLink::writeBlock(const std::vector<std::uint8_t>& bytes) {
    if (!m_port || bytes.empty())
        return 0;
    const float pause = m_bytePause.load();
    if (pause <= 0.0f) {
        // No pause wanted: the bytes go out back to back, then we wait for the line.
        if (m_port->writeBlock(bytes.data(), static_cast<int>(bytes.size())) == PORT_LOST)
            return PORT_LOST;
        waitTransmitted(bytes.size());
        return 0;
    }
    for (std::uint8_t b : bytes) {
        if (m_port->writeByte(b) == PORT_LOST)
            return PORT_LOST;
        waitTransmitted(1);
        sleepUntil(monotonicNowPlus(pause));
    }
    return 0;
}

} // namespace ks
