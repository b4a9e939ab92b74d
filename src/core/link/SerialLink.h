#pragma once

#include "link/CommPort.h"
#include "link/PortTable.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ks {

// What the serial link hands its bytes to.
class CByteReceiver {
public:
    virtual ~CByteReceiver() = default;
    virtual int onByte(int b) = 0;
    virtual void endOfReception() = 0;
    // How many more bytes the reader may sleep through before reading again, because they
    // arrive at the line's pace: 0 when the reception is complete or its bytes come faster.
    virtual int bytesToAwait(long baud) {
        (void)baud;
        return 0;
    }
};

// Why the last open failed, for a message that helps the user.
struct OpenFailure {
    int code = 0;     // port result code
    int osError = 0;  // errno
    std::string path; // device path tried (empty: the number has no device)
};

// Owns at most one open port, a reader thread that reads one byte per request and hands it
// to the receiver, and the paced block write.
class CSerialLink {
public:
    CSerialLink();
    ~CSerialLink();
    CSerialLink(const CSerialLink&) = delete;
    CSerialLink& operator=(const CSerialLink&) = delete;

    CPortTable& portTable() { return m_ports; }

    // 0, or -1 when there is no receiver or the port cannot be opened and set.
    int open(CByteReceiver* receiver, int portNumber, long baud, char parity, int dataBits,
             int stopBits);
    int close();
    bool isOpen() const;
    // The number of the port held, -1 when closed.
    int portNumber() const { return m_portNumber; }
    // Changes each time a port is opened or closed: what was sent on another line can never
    // be answered on this one.
    std::uint64_t lineGeneration() const { return m_generation; }
    const OpenFailure& lastOpenFailure() const { return m_openFailure; }

    // 1 when the reader thread was started, 0 when it already ran.
    int startReader(int readTimeoutMs);
    void stopReader();
    void setReadTimeout(int ms) { m_readTimeout.store(ms); }
    int readTimeout() const { return m_readTimeout.load(); }
    void requestByte();
    // Reads one byte on the calling thread: from what the port already took from the device,
    // else after waiting up to timeoutMs for the device (then one read() takes all it holds).
    // A byte, -8 on time-out or when closed, or a negative port code.
    int readByte(int timeoutMs);
    // Bytes already read from the device and not yet handed out.
    int bufferedBytes() const { return m_port ? m_port->bufferedBytes() : 0; }
    long baud() const { return m_baud; }

    // Drains the input and clears the output: 0, 504 or 503.
    int flush();
    // Writes bytes, each followed by the wait for the line and the byte pause. Returns 0, or
    // PORT_LOST when the device is gone.
    int writeBlock(const std::vector<std::uint8_t>& bytes);
    void setBytePause(float seconds) { m_bytePause.store(seconds); }
    float bytePause() const { return m_bytePause.load(); }

    // Test and diagnostic access to the port (nullptr when closed).
    CommPort* port() { return m_port.get(); }

private:
    void readerLoop();
    void waitForMoreBytes();
    void waitTransmitted(std::size_t bytes);

    CPortTable m_ports;
    std::unique_ptr<CommPort> m_port;
    std::atomic<int> m_readTimeout{-1};

    std::mutex m_eventMutex;
    std::condition_variable m_eventCv;
    bool m_readRequested = false;
    bool m_started = false;

    // Held by the reader while it reads, and by anyone who touches the input.
    std::mutex m_readMutex;

    int m_portNumber = -1;
    long m_baud = -1;
    char m_parity = 0;
    int m_dataBits = -1;
    int m_stopBits = -1;

    std::thread m_reader;
    std::atomic<bool> m_running{false};
    CByteReceiver* m_receiver = nullptr;
    std::atomic<float> m_bytePause{0.0f};
    OpenFailure m_openFailure;
    std::uint64_t m_generation = 0;
};

} // namespace ks
