#pragma once

#include "app/ComSettings.h"
#include "framework/BlockFields.h"
#include "framework/Identification.h"
#include "i18n/TextLimits.h"
#include "i18n/TextTable.h"

#include <functional>
#include <string>

namespace ks {

class CFlowApp;
class CFrameSink;
class CJBusLink;
class CUserPrompts;

// Where and how a device dialog reaches its meter.
struct ConnectionSettings {
    int portNumber = 1; // COM number
    int baudIndex = 5;
    int slave = 1;
    int readTimeoutMs = 1000;  // first-byte time-out while reading
    int writeTimeoutMs = 2500; // first-byte time-out while writing

    // [Com] of the configuration: the port setting is the 0-based index in the port list.
    static ConnectionSettings fromCom(const ComSettings& com);
};

// The exchanges of a device dialog with its meter: read a block into the dialog's fields,
// write one from them, check the firmware and start the cyclic reading. Runs on the thread
// that owns the dialog; failures are shown through the prompts in the dialog's language and
// reported as results, never thrown.
class CDeviceSession {
public:
    static constexpr int kPortUnavailable = 500; // write block: the port cannot be opened

    CDeviceSession(CJBusLink& link, CBlockFields& fields, CUserPrompts& prompts);

    void setConnection(const ConnectionSettings& c) { m_connection = c; }
    const ConnectionSettings& connection() const { return m_connection; }
    // The modem switch and connected flag come from the application; none: a direct line.
    void setApplication(CFlowApp* app) { m_app = app; }
    void setLanguage(int language) { m_language = language; }
    int language() const { return m_language; }
    // A dialog working on file values only reads nothing from the meter.
    void setFileOnly(bool fileOnly) { m_fileOnly = fileOnly; }
    bool fileOnly() const { return m_fileOnly; }
    // Whether the dialog mode means file values only: opened from a file (4), or, for a
    // settings page, new with defaults (2) as well.
    static bool isFileOnlyMode(int mode, bool settingsPage);
    void setCheckFirmware(bool check) { m_checkFirmware = check; }
    bool checkFirmwareEnabled() const { return m_checkFirmware; }
    // The start every fitting firmware version text has; the program's own by default.
    void setVersionPrefix(std::string prefix) { m_versionPrefix = std::move(prefix); }
    // Runs before any message is shown (the dialog hides its busy window, which would
    // otherwise stand above the message).
    void setBeforeMessage(std::function<void()> hook) { m_beforeMessage = std::move(hook); }
    // Runs one exchange with the meter (the callable) and returns its result. None: on this
    // thread. A window hands it to a worker and keeps its event loop running; a result of
    // LINK_CANCELLED means the user stopped it, and is failed without a message.
    using ExchangeRunner = std::function<int(const std::function<int()>& exchange)>;
    void setExchangeRunner(ExchangeRunner runner) { m_runner = std::move(runner); }

    // Reads the block with one function-3 exchange and spreads it over the fields. 0 (also
    // in file-only mode, where nothing is read), or -1 after the reason was shown.
    int readBlock(int blockCode);
    // The same, also handing out the bytes read (empty in file-only mode).
    int readBlock(int blockCode, Bytes& data);
    // Writes the block built from the fields with one function-16 exchange: 0, -1, or
    // kPortUnavailable when the port cannot be opened.
    int writeBlock(int blockCode);

    // Reads the identification block, checks the firmware and starts the polling worker.
    // For function 16 the worker writes the block whose code is the address. 0, or -1 after
    // the reason was shown. In file-only mode nothing is read or polled: 0.
    int startCyclicReading(CFrameSink& sink, int slave, int function, int address, int count,
                           int periodMs, int itemSize);
    // Acknowledges a pending notification and stops the worker, as a closing dialog must.
    void stopCyclicReading();

    // 0 when the check is off or the version text fits; otherwise shows why and returns -1.
    int checkFirmware(const std::string& version, const std::string& description);

    // What the last identification read found.
    const Identification& identification() const { return m_identification; }

private:
    int openLink();
    // Opens the link and runs one transaction through the runner: the link's code.
    int exchange(int function, int blockCode, int count, Bytes& data, int timeoutMs);
    int run(const std::function<int()>& exchange);
    int readRegisters(int blockCode, int count, Bytes& data);
    void showError(int textNumber);

    CJBusLink& m_link;
    CBlockFields& m_fields;
    CUserPrompts& m_prompts;
    CFlowApp* m_app = nullptr;
    ConnectionSettings m_connection;
    int m_language = kLanguageFrench;
    bool m_fileOnly = false;
    bool m_checkFirmware = true;
    std::string m_versionPrefix;
    std::function<void()> m_beforeMessage;
    ExchangeRunner m_runner;
    Identification m_identification;
    CTextTable m_texts;
};

} // namespace ks
