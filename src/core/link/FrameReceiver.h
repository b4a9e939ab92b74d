#pragma once

#include "link/BaudTable.h"
#include "link/JBusFrame.h"
#include "link/SerialLink.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

namespace ks {

// The receiving end of the serial link: opens the line by baud index and gathers a reply
// with the first-byte and inter-byte time-outs.
class CFrameReceiver : public CByteReceiver {
public:
    // Dials the meter on this receiver's serial link; 0 when the connection stands.
    using ModemConnector = std::function<int(CFrameReceiver&)>;

    CFrameReceiver() = default;
    ~CFrameReceiver() override;

    // 0, 252 (modem not connected) or 253 (port cannot be opened).
    int open(int portNumber, int baudIndex, char parity, int dataBits, int stopBits, bool modem,
             bool& connected);
    int close();
    static int baudCountOfTable() { return baudCount(); }

    void setFirstByteTimeout(int ms) { m_firstByteTimeout.store(ms); }
    int firstByteTimeout() const { return m_firstByteTimeout.load(); }
    void setExpectedLength(int n) { m_expectedLength.store(n); }
    int expectedLength() const { return m_expectedLength.load(); }
    int interByteTimeout() const { return m_interByteTimeout; }
    int baudIndex() const { return m_baudIndex; }

    int onByte(int b) override;
    void endOfReception() override;
    int bytesToAwait(long baud) override;

    // Waits for a reply: 0 with the bytes, 251 when nothing arrived, or 255 when the port
    // went away.
    int receive(Bytes& out, bool flush);
    // The same with another first-byte time-out.
    int receiveWithin(Bytes& out, bool flush, int firstByteMs);
    // Whatever comes within timeoutMs (0: only what is there), appended to into, without
    // waiting for a whole reply: 0, PORT_NOTHING_TO_READ or PORT_LOST.
    int collect(Bytes& into, int timeoutMs);
    // Opens again the direct line the last open() opened, after it was lost: 0 or 253.
    int reopen();
    int receiveText(std::string& out);
    int sendText(const std::string& text);

    CSerialLink& serialLink() { return m_serial; }
    void setModemConnector(ModemConnector connector) { m_modemConnector = std::move(connector); }

protected:
    // Whether the reception held so far is a whole reply (called under the reception lock).
    virtual bool receptionComplete(Bytes& reception);

private:
    void napForLineBytes();
    // One byte within timeoutMs, or a negative code; endOfReception() cuts the wait short.
    int readWithin(int timeoutMs);
    static constexpr int kWaitSliceMs = 50;

    CSerialLink m_serial;
    Bytes m_reception;
    std::mutex m_receptionMutex;
    std::condition_variable m_receptionCv;
    bool m_receiving = false;
    // Set by endOfReception() without the reception lock, which receive() holds while it
    // waits: a Cancel on another thread must end the wait, not queue behind it.
    std::atomic<bool> m_stopWait{false};
    std::chrono::steady_clock::time_point m_firstByteAt;
    std::atomic<int> m_expectedLength{500};
    std::atomic<int> m_firstByteTimeout{500};
    int m_interByteTimeout = 1000;
    int m_baudIndex = -1;
    // The last direct line opened, for reopen().
    struct LineSettings {
        int portNumber = -1;
        int baudIndex = -1;
        char parity = 'N';
        int dataBits = 8;
        int stopBits = 1;
        std::string stableName; // the device's by-id name, when it has one
    } m_line;
    ModemConnector m_modemConnector;
};

} // namespace ks
