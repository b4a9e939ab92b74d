#include "link/ResultCodes.h"

namespace ks {

const char* resultCodeMeaning(int code) {
    if (code > LINK_EXCEPTION_BASE && code < LINK_EXCEPTION_BASE + 50) {
        switch (code - LINK_EXCEPTION_BASE) {
        case 1:
            return "the meter answered with exception 1 (illegal function)";
        case 2:
            return "the meter answered with exception 2 (illegal data address)";
        case 3:
            return "the meter answered with exception 3 (illegal data value)";
        case 4:
            return "the meter answered with exception 4 (device failure)";
        default:
            return "the meter answered with an exception code";
        }
    }
    switch (code) {
    case 0:
        return "success";
    case PORT_FAILURE:
        return "failure (or a transaction is already running)";
    case PORT_IN_USE:
        return "port already in use or access refused";
    case PORT_NO_MEMORY:
        return "out of memory";
    case PORT_NOTHING_TO_READ:
        return "nothing to read";
    case PORT_WRITE_INCOMPLETE:
        return "write incomplete";
    case PORT_NO_SUCH_PORT:
        return "no such port";
    case PORT_NOT_SUPPORTED:
        return "operation not supported by this port";
    case PORT_ILLEGAL_BAUD:
        return "illegal baud rate";
    case PORT_ILLEGAL_PARITY:
        return "illegal parity";
    case PORT_ILLEGAL_STOP_BITS:
        return "illegal number of stop bits";
    case PORT_LOST:
        return "the device is gone";
    case LINK_WRONG_SLAVE:
        return "reply from another slave";
    case LINK_WRONG_FUNCTION:
        return "reply with another function code";
    case LINK_WRONG_LENGTH:
        return "reply length or count does not match the request";
    case LINK_REQUEST_TOO_LONG:
        return "request longer than 255 bytes";
    case LINK_BAD_CRC:
        return "reply CRC wrong";
    case LINK_TOO_SHORT:
        return "reply shorter than 5 bytes";
    case LINK_NO_REPLY:
        return "no reply from the meter";
    case LINK_MODEM_NOT_CONNECTED:
        return "modem connection not established";
    case LINK_PORT_UNAVAILABLE:
        return "serial port cannot be opened";
    case LINK_CANCELLED:
        return "exchange cancelled";
    case LINK_PORT_LOST:
        return "the serial port was lost; waiting for it to come back";
    case LINK_CLEAR_OUTPUT_FAILED:
        return "clearing the output queue failed";
    case LINK_DRAIN_INPUT_FAILED:
        return "draining the input failed";
    default:
        return "unknown result code";
    }
}

} // namespace ks
