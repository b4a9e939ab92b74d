#include "link/CommPort.h"

#include "link/ResultCodes.h"

#include <cerrno>
#include <chrono>
#include <thread>

namespace ks {

int CommPort::notSupported() {
    return result(PORT_NOT_SUPPORTED);
}

int CommPort::readByte() {
    return notSupported();
}
int CommPort::writeByte(unsigned char) {
    return notSupported();
}
int CommPort::close() {
    return result(0);
}
int CommPort::setLine(long, char, int, int) {
    return notSupported();
}
int CommPort::setSoftwareFlowControl(bool) {
    return notSupported();
}
int CommPort::setRtsCtsHandshake(bool) {
    return notSupported();
}
int CommPort::setDtrDsrHandshake(bool) {
    return notSupported();
}
int CommPort::setDtr(bool) {
    return notSupported();
}
int CommPort::setRts(bool) {
    return notSupported();
}
int CommPort::outputFree() {
    return notSupported();
}
int CommPort::outputUsed() {
    return notSupported();
}
int CommPort::inputFree() {
    return notSupported();
}
int CommPort::inputUsed() {
    return notSupported();
}
int CommPort::clearOutput() {
    return notSupported();
}
int CommPort::writeBlock(const unsigned char*, int) {
    return notSupported();
}
int CommPort::readBlock(unsigned char*, int) {
    return notSupported();
}
int CommPort::sendBreak(int) {
    return notSupported();
}
int CommPort::modemStatus() {
    return notSupported();
}
int CommPort::lineStatus() {
    return notSupported();
}
int CommPort::clearLineErrors() {
    return notSupported();
}

int CommPort::dump(const DumpLine& line) {
    line("Port dump not supported for this driver");
    line("");
    return notSupported();
}

int CommPort::waitReadable(int timeoutMs) {
    // Without a way to block on the device, look at the queue with short sleeps.
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const int used = inputUsed();
        if (used > 0)
            return 0;
        if (used < 0 && used != PORT_NOTHING_TO_READ)
            return used;
        if (timeoutMs >= 0 &&
            std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(timeoutMs))
            return PORT_NOTHING_TO_READ;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

int portResultFromErrno(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
        return PORT_NO_SUCH_PORT;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
        return PORT_IN_USE;
    case ENOMEM:
        return PORT_NO_MEMORY;
    default:
        return PORT_FAILURE;
    }
}

int readByteWithTimeout(CommPort& port, int timeoutMs) {
    const int b = port.readByte();
    if (b >= 0 || b != PORT_NOTHING_TO_READ)
        return b;
    const int w = port.waitReadable(timeoutMs);
    if (w != 0)
        return w;
    return port.readByte();
}

int drainInput(CommPort& port) {
    unsigned char buf[64];
    for (;;) {
        const int r = port.readBlock(buf, sizeof buf);
        if (r == PORT_NOTHING_TO_READ || (r == 0 && port.lastCount() == 0))
            return 0;
        if (r < 0)
            return r;
    }
}

int transmitComplete(CommPort& port) {
    const int saved = port.status();
    const int used = port.outputUsed();
    if (used == PORT_NOT_SUPPORTED) {
        // A port that cannot tell counts as done; its status stays as it was.
        port.restoreStatus(saved);
        return 1;
    }
    if (used < 0)
        return used;
    return used == 0 ? 1 : 0;
}

} // namespace ks
