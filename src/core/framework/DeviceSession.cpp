#include "framework/DeviceSession.h"

#include "app/FlowApp.h"
#include "app/UserPrompts.h"
#include "app/Version.h"
#include "framework/DeviceTexts.h"
#include "framework/FirmwareCheck.h"
#include "link/JBusLink.h"
#include "link/ResultCodes.h"

#include <algorithm>

namespace ks {

namespace {

// Puts the link's first-byte time-out back however the exchange ends; restore() does it
// early, before a message is shown.
class TimeoutRestorer {
public:
    explicit TimeoutRestorer(CJBusLink& link) : m_link(link), m_saved(link.firstByteTimeout()) {}
    ~TimeoutRestorer() { restore(); }
    TimeoutRestorer(const TimeoutRestorer&) = delete;
    TimeoutRestorer& operator=(const TimeoutRestorer&) = delete;
    void restore() { m_link.setFirstByteTimeout(m_saved); }

private:
    CJBusLink& m_link;
    int m_saved;
};

constexpr int kRead = 3;
constexpr int kWrite = 16;
constexpr int kItemSize = 2;

} // namespace

ConnectionSettings ConnectionSettings::fromCom(const ComSettings& com) {
    ConnectionSettings c;
    c.portNumber = com.portIndex + 1;
    c.baudIndex = com.baudIndex;
    c.slave = com.slave;
    return c;
}

CDeviceSession::CDeviceSession(CJBusLink& link, CBlockFields& fields, CUserPrompts& prompts)
    : m_link(link), m_fields(fields), m_prompts(prompts),
      m_versionPrefix(version::versionPrefix()) {}

bool CDeviceSession::isFileOnlyMode(int mode, bool settingsPage) {
    return (mode & 4) != 0 || (settingsPage && (mode & 2) != 0);
}

void CDeviceSession::showError(int textNumber) {
    if (m_beforeMessage)
        m_beforeMessage();
    m_prompts.message(m_texts.text(textNumber, m_language),
                      m_texts.text(devicetext::kError, m_language), CUserPrompts::Icon::Error);
}

int CDeviceSession::run(const std::function<int()>& exchange) {
    return m_runner ? m_runner(exchange) : exchange();
}

int CDeviceSession::openLink() {
    bool modem = false;
    bool connected = false;
    if (m_app) {
        modem = m_app->modemEnabled();
        connected = m_app->modemConnected();
    }
    const int port = m_connection.portNumber;
    const int baud = m_connection.baudIndex;
    int code;
    if (modem) {
        // Dialling shows the modem's own window: on this thread.
        code = m_link.open(port, baud, 'N', 8, 1, modem, connected);
        if (m_app)
            m_app->setModemConnected(connected);
    } else {
        // Opening a device may take a while (a Bluetooth line connects first).
        code = run([this, port, baud] {
            bool none = false;
            return m_link.open(port, baud, 'N', 8, 1, false, none);
        });
    }
    if (code == LINK_CANCELLED)
        return code;
    if (code != 0)
        showError(devicetext::kCannotOpenPort);
    return code;
}

int CDeviceSession::exchange(int function, int blockCode, int count, Bytes& data, int timeoutMs) {
    const int slave = m_connection.slave;
    Bytes out = data;
    const int code = run([this, function, blockCode, count, slave, timeoutMs, &out] {
        m_link.setFirstByteTimeout(timeoutMs);
        return m_link.transaction(slave, function, blockCode, count, out, kItemSize);
    });
    data = std::move(out);
    return code;
}

int CDeviceSession::readBlock(int blockCode) {
    Bytes data;
    return readBlock(blockCode, data);
}

int CDeviceSession::readBlock(int blockCode, Bytes& data) {
    return readRegisters(blockCode, (m_fields.blockSize(blockCode) + 1) / 2, data);
}

int CDeviceSession::readRegisters(int blockCode, int count, Bytes& data) {
    data.clear();
    if (m_fileOnly)
        return 0;
    if (count <= 0)
        return -1; // no field of this dialog lies in that block: nothing to ask the meter
    TimeoutRestorer timeout(m_link);
    if (openLink() != 0)
        return -1;
    const int code = exchange(kRead, blockCode, count, data, m_connection.readTimeoutMs);
    timeout.restore();
    if (code == LINK_CANCELLED)
        return -1;
    if (code != 0) {
        showError(devicetext::kNoAnswer);
        return -1;
    }
    return m_fields.decodeBlock(blockCode, data) == 0 ? 0 : -1;
}

int CDeviceSession::writeBlock(int blockCode) {
    TimeoutRestorer timeout(m_link);
    m_link.setFirstByteTimeout(m_connection.readTimeoutMs);
    const int opened = openLink();
    if (opened == LINK_CANCELLED)
        return -1;
    if (opened != 0)
        return kPortUnavailable;
    const int count = (m_fields.blockSize(blockCode) + 1) / 2;
    if (count <= 0)
        return -1;
    Bytes data = m_fields.encodeBlock(blockCode);
    // Whole registers: an odd size leaves the last register's low byte at zero, as the
    // zeroed block image did.
    data.resize(2 * static_cast<std::size_t>(count), 0);
    const int code = exchange(kWrite, blockCode, count, data, m_connection.writeTimeoutMs);
    return code == 0 ? 0 : -1;
}

int CDeviceSession::startCyclicReading(CFrameSink& sink, int slave, int function, int address,
                                       int count, int periodMs, int itemSize) {
    if (m_fileOnly)
        return 0;
    TimeoutRestorer timeout(m_link);
    m_link.setFirstByteTimeout(m_connection.readTimeoutMs);
    // Every dialog registers the identification fields; the firmware check needs the whole
    // block even where one did not.
    const int identCount = std::max((m_fields.blockSize(Identification::kBlockCode) + 1) / 2,
                                    Identification::kRegisterCount);
    Bytes ident;
    if (readRegisters(Identification::kBlockCode, identCount, ident) != 0)
        return -1;
    if (!decodeIdentification(ident, m_identification))
        return -1;
    if (checkFirmware(m_identification.firmware, m_identification.description) != 0)
        return -1;
    timeout.restore();
    Bytes data;
    if (function == kWrite)
        data = m_fields.encodeBlock(address);
    return m_link.startPolling(&sink, slave, function, address, count, periodMs, itemSize, data);
}

void CDeviceSession::stopCyclicReading() {
    m_link.acknowledge();
    m_link.stopPolling();
}

int CDeviceSession::checkFirmware(const std::string& version, const std::string& description) {
    if (!m_checkFirmware || firmwareFits(version, m_versionPrefix))
        return 0;
    if (m_beforeMessage)
        m_beforeMessage();
    m_prompts.message(firmwareMismatchText(m_texts, m_language, version, description),
                      m_texts.text(devicetext::kError, m_language), CUserPrompts::Icon::Error);
    return -1;
}

} // namespace ks
