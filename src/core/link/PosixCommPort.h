#pragma once

#include "link/CommPort.h"

#include <termios.h>

namespace ks {

// A serial device (real UART, USB adapter, Bluetooth rfcomm or pseudo-terminal) through
// termios. What a device cannot do (modem lines on a pty, line error counters) answers -24.
class PosixCommPort final : public CommPort {
public:
    PosixCommPort(int portIndex, std::string path);
    ~PosixCommPort() override;

    // Opens the device exclusively, in raw mode: 0 or a port result code.
    int openDevice();
    const std::string& path() const { return m_path; }

    int readByte() override;
    int writeByte(unsigned char b) override;
    int close() override;
    int setLine(long baud, char parity, int dataBits, int stopBits) override;
    int setSoftwareFlowControl(bool on) override;
    int setRtsCtsHandshake(bool on) override;
    int setDtrDsrHandshake(bool on) override;
    int setDtr(bool on) override;
    int setRts(bool on) override;
    int outputFree() override;
    int outputUsed() override;
    int inputFree() override;
    int inputUsed() override;
    int clearOutput() override;
    int writeBlock(const unsigned char* bytes, int n) override;
    int readBlock(unsigned char* dest, int maximum) override;
    int dump(const DumpLine& line) override;
    int sendBreak(int ms) override;
    int modemStatus() override;
    int lineStatus() override;
    int clearLineErrors() override;
    int waitReadable(int timeoutMs) override;
    int bufferedBytes() const override { return m_bufEnd - m_bufStart; }

private:
    int sysFail(int err);
    int applyTermios();
    int setModemLine(int bit, bool on);
    void accumulateErrors();
    int fillBuffer();

    std::string m_path;
    int m_fd = -1;
    termios m_tio{};
    termios m_savedTio{};
    bool m_haveSaved = false;
    long m_baud = 0;
    char m_parity = 'N';
    int m_dataBits = 8;
    int m_stopBits = 1;
    bool m_dtrDsr = false;
    int m_lineErrors = 0;
    // Error counters of the UART at the last look (TIOCGICOUNT), when it has them.
    int m_lastFrame = 0, m_lastOverrun = 0, m_lastParity = 0, m_lastBreak = 0;
    int m_lastBufOverrun = 0;
    bool m_countersKnown = false;
    bool m_countersMissing = false;
    // Bytes taken from the device in one read() and handed out one at a time.
    unsigned char m_buf[kInputQueueSize];
    int m_bufStart = 0;
    int m_bufEnd = 0;
};

} // namespace ks
