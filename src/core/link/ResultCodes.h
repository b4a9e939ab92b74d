#pragma once

// Result codes of the device link. 0 is success; the negative codes come from the
// serial port layer, the positive ones from the JBus layers.
namespace ks {

enum PortResult : int {
    PORT_OK = 0,
    PORT_FAILURE = -1,
    PORT_IN_USE = -3,
    PORT_NO_MEMORY = -5,
    PORT_NOTHING_TO_READ = -8,
    PORT_WRITE_INCOMPLETE = -9,
    PORT_NO_SUCH_PORT = -14,
    PORT_NOT_SUPPORTED = -24,
    PORT_ILLEGAL_BAUD = -25,
    PORT_ILLEGAL_PARITY = -26,
    PORT_ILLEGAL_STOP_BITS = -28,
    PORT_LOST = -31, // the device went away (adapter unplugged, the other end of a pty closed)
};

enum LinkResult : int {
    LINK_OK = 0,
    LINK_BUSY = -1,
    LINK_WRONG_SLAVE = 101,
    LINK_WRONG_FUNCTION = 102,
    LINK_WRONG_LENGTH = 103,
    LINK_REQUEST_TOO_LONG = 104,
    LINK_EXCEPTION_BASE = 150,
    LINK_BAD_CRC = 201,
    LINK_TOO_SHORT = 202,
    LINK_NO_REPLY = 251,
    LINK_MODEM_NOT_CONNECTED = 252,
    LINK_PORT_UNAVAILABLE = 253,
    LINK_CANCELLED = 254, // the user stopped the exchange (Cancel, closing, Ctrl+C)
    LINK_PORT_LOST = 255, // the port went away; it is opened again when its device comes back
    LINK_CLEAR_OUTPUT_FAILED = 503,
    LINK_DRAIN_INPUT_FAILED = 504,
};

// A short English description of a result code, for the command line and traces.
// Always returns a static string.
const char* resultCodeMeaning(int code);

} // namespace ks
