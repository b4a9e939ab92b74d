#pragma once

#include "framework/DeviceDlg.h"

#include <map>
#include <string>
#include <vector>

namespace ks::gui {

class CButtonKS;

// The program's own options: the meter's port, baud rate and JBus number (with a device
// search that fills them in), the language, the spreadsheet program, the recording period
// and duration, and the modem. Values come from the dialog's configuration file and go back
// to it only when the user says so on closing.
//
// A derived dialog adds a page: it registers its fields, appends its template, tracks the
// fields whose changes count, and loads and saves them in loadMoreValues / saveMoreValues.
class COptionsDlg : public CDeviceDlg {
    Q_OBJECT

public:
    static constexpr int kTemplate = 106;
    // Controls.
    static constexpr int kExportGroup = 1565;
    static constexpr int kSpreadsheet = 1430;
    static constexpr int kFileGroup = 1568;
    static constexpr int kRecordLapTime = 1187;
    static constexpr int kSamplePeriod = 1340;
    static constexpr int kLanguage = 1247;
    static constexpr int kComGroup = 1562;
    static constexpr int kSlave = 1237;
    static constexpr int kPort = 1115;
    static constexpr int kBauds = 1043;
    static constexpr int kUseModem = 1124;
    static constexpr int kDialling = 1300;
    static constexpr int kModemInit = 1071;
    static constexpr int kPhoneNumber = 1320;
    static constexpr int kHangUp = 1073;
    static constexpr int kModemTimeout = 1440;
    // Buttons.
    static constexpr int kSearchButton = 1603;
    static constexpr int kBrowseButton = 1612;
    static constexpr int kClearButton = 1616;
    static constexpr int kOkButton = 1609;
    static constexpr int kPortCount = 255;

    COptionsDlg(ks::CJBusLink& link, QWidget* parent = nullptr);

    bool isModified() const { return m_modified; }
    bool isPortMissing() const { return m_portMissing; }
    bool isModemSelected() const;
    CButtonKS* button(int control) const;

    // Sets every field from the configuration file / writes every field to it.
    void load();
    void save();

    // Runs the device search and puts what it finds into the port, baud and JBus fields.
    void searchDevice();
    // Where the search looks (every port when empty) and the time-out of each try.
    void setSearchPorts(std::vector<int> ports, int timeoutMs);

    // Closing, by the OK button or the window: asks whether to save when something changed
    // or the stored port was not in the list.
    void closeDialog();

public slots:
    void reject() override;

protected:
    // A field whose change counts as a modification.
    void track(int id);
    virtual void loadMoreValues() {}
    virtual void saveMoreValues() {}

    void onInitDialog() override;
    void onButton(int control) override;
    void onFieldEdited(int id) override;
    void applyLanguage(int language) override;

private:
    void registerFields();
    void fillPortList();
    void createButtons();
    // The rules run after every change: language, modem enabling, modified flag.
    void valueChanged();
    void browseSpreadsheet();
    void clearSpreadsheet();

    std::vector<int> m_tracked;
    std::map<int, std::string> m_loaded;
    bool m_modified = false;
    bool m_portMissing = false;
    bool m_lookupPlaceholder = false;
    std::vector<int> m_searchPorts;
    int m_searchTimeoutMs = 0; // the link's first-byte time-out
    std::map<int, CButtonKS*> m_buttons;
};

} // namespace ks::gui
