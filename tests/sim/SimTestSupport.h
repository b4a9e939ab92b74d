#pragma once

// Request building, reply checking and a raw serial client for the simulator's tests.
#include "link/JBusCodec.h"

#include <cstdint>
#include <string>

namespace ks::simtest {

// A JBus master's view of one exchange: the codec remembers the request so that the
// reply can be validated against it.
struct Exchange {
    CJBusCodec codec;

    Bytes read(int slave, int address, int count);
    // Writes the bytes (padded to whole registers).
    Bytes write(int slave, int address, const Bytes& data);
    // 0 and the register bytes (function 3) or the 4 echo bytes (function 16), else the
    // link's result code.
    int check(const Bytes& reply, Bytes* data = nullptr);
};

Bytes withCrc(Bytes b);

std::uint16_t u16At(const Bytes& d, std::size_t offset);
std::uint32_t u32At(const Bytes& d, std::size_t offset);
std::int32_t s24At(const Bytes& d, std::size_t offset);
float f32At(const Bytes& d, std::size_t offset);
std::string textAt(const Bytes& d, std::size_t offset, std::size_t length);

// A client of the simulator's pseudo-terminal, set up as a serial port would be: raw
// mode and a baud rate.
class RawTty {
public:
    RawTty() = default;
    ~RawTty();
    RawTty(const RawTty&) = delete;
    RawTty& operator=(const RawTty&) = delete;

    bool open(const std::string& path, int baud);
    void close();
    bool setBaud(int baud);
    bool send(const Bytes& bytes);
    // Reads until `expected` bytes arrived or timeoutMs passed without completing.
    Bytes receive(std::size_t expected, int timeoutMs);
    // Everything that arrives until the line has been quiet for quietMs.
    Bytes receiveUntilQuiet(int quietMs);

private:
    int m_fd = -1;
};

} // namespace ks::simtest
