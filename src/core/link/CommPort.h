#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ks {

// One open serial port: a record with a table of operations. The base class is the table
// with every slot "not supported" (-24); a platform port overrides what its device can do.
// Every operation returns 0 or a negative result code and leaves it in status().
class CommPort {
public:
    using DumpLine = std::function<void(const std::string&)>;

    static constexpr int kInputQueueSize = 1050;
    static constexpr int kOutputQueueSize = 1050;

    explicit CommPort(int portIndex = -1) : m_portIndex(portIndex) {}
    virtual ~CommPort() = default;
    CommPort(const CommPort&) = delete;
    CommPort& operator=(const CommPort&) = delete;

    int status() const { return m_status; }
    int lastCount() const { return m_lastCount; }
    int portIndex() const { return m_portIndex; }
    // errno of the last failed system call, for messages that explain a refusal.
    int osError() const { return m_osError; }
    // Puts back a status saved before an operation whose result is only informative.
    void restoreStatus(int status) { m_status = status; }

    // The table, in slot order.
    virtual int readByte();                                                  // 1
    virtual int writeByte(unsigned char b);                                  // 3
    virtual int close();                                                     // 4
    virtual int setLine(long baud, char parity, int dataBits, int stopBits); // 5
    virtual int setSoftwareFlowControl(bool on);                             // 6
    virtual int setRtsCtsHandshake(bool on);                                 // 7
    virtual int setDtrDsrHandshake(bool on);                                 // 8
    virtual int setDtr(bool on);                                             // 9
    virtual int setRts(bool on);                                             // 10
    virtual int outputFree();                                                // 11
    virtual int outputUsed();                                                // 12
    virtual int inputFree();                                                 // 13
    virtual int inputUsed();                                                 // 14
    virtual int clearOutput();                                               // 15
    virtual int writeBlock(const unsigned char* bytes, int n);               // 16
    virtual int readBlock(unsigned char* dest, int maximum);                 // 17
    virtual int dump(const DumpLine& line);                                  // 18
    virtual int sendBreak(int ms);                                           // 19
    virtual int modemStatus();                                               // 20
    virtual int lineStatus();                                                // 21
    virtual int clearLineErrors();                                           // 22
    int resetStatus() {                                                      // 24
        m_status = 0;
        return 0;
    }

    // Blocks until a byte can be read or the time is up: 0, or -8 on time-out.
    // -1 waits for ever. This replaces polling the input queue in a loop.
    virtual int waitReadable(int timeoutMs);
    // Bytes already taken from the device and not yet handed out.
    virtual int bufferedBytes() const { return 0; }

protected:
    int result(int code) {
        m_status = code;
        return code;
    }
    int notSupported();

    int m_status = 0;
    int m_lastCount = 0;
    int m_portIndex = -1;
    int m_osError = 0;
};

// Maps an errno of open() or a device call to a port result code.
int portResultFromErrno(int err);

// Opens a device path as port index portIndex and applies the line settings. The record's
// status tells success; a record that failed to open only knows how to close.
std::unique_ptr<CommPort> openPort(const std::string& devicePath, int portIndex, long baud,
                                   char parity, int dataBits, int stopBits);

// A byte (0..255), -8 when none arrived within t ms (t == -1 waits for ever), or a negative code.
int readByteWithTimeout(CommPort& port, int timeoutMs);
// Reads and discards everything queued: 0 or a negative code.
int drainInput(CommPort& port);
// 1 when the output queue is empty, 0 when not, a negative code on failure.
int transmitComplete(CommPort& port);

} // namespace ks
