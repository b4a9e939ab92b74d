#include "shell/OptionsDlg.h"

#include "app/DesktopApp.h"
#include "app/ProfileKeys.h"
#include "app/QtText.h"
#include "app/SpreadsheetLookup.h"
#include "controls/CButtonKS.h"
#include "framework/Identification.h"
#include "link/JBusLink.h"
#include "shell/DeviceSearchDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace ks::gui {

namespace {

namespace key = ks::profile;
using ks::FieldKind;

constexpr int kCaption = 284;     // "Configuration"
constexpr int kGeneralPage = 146; // "Général"
constexpr int kModemPage = 192;   // "Modem"
constexpr int kComText = 75;      // "Com"
constexpr int kSearchText = 99;   // "Détection"
constexpr int kSpreadsheetText = 281;
constexpr int kSaveQuestion = 259; // "Attention voulez vous sauvegarder la configuration ?"
constexpr int kWarningCaption = 8; // "Attention"
constexpr int kBaudList = 336;
constexpr int kLanguageList = 163;
constexpr int kYesNoList = 39;
constexpr int kDiallingList = 38;
constexpr int kModemYes = 0; // "Oui" in the yes/no list

// The fields the modem choice enables.
constexpr int kModemFields[] = {COptionsDlg::kDialling, COptionsDlg::kModemInit,
                                COptionsDlg::kPhoneNumber, COptionsDlg::kHangUp,
                                COptionsDlg::kModemTimeout};

// A stored number as an entry index; -1 when it is not a whole number of a sane size.
int storedIndex(double value) {
    if (!std::isfinite(value) || value != std::floor(value) || value < -1e6 || value > 1e6)
        return -1;
    return static_cast<int>(value);
}

} // namespace

COptionsDlg::COptionsDlg(ks::CJBusLink& link, QWidget* parent)
    : CDeviceDlg(kTemplate, 0, link, parent) {
    registerFields();
    using namespace tpl;
    setBodyTemplate({
        page(kGeneralPage),
        group(kExportGroup),
        field(kSpreadsheet),
        end(),
        group(kFileGroup),
        field(kRecordLapTime),
        field(kSamplePeriod),
        end(),
        field(kLanguage),
        column(),
        group(kComGroup),
        field(kSlave),
        field(kPort),
        field(kBauds),
        end(),
        page(kModemPage),
        field(kUseModem),
        field(kDialling),
        field(kModemInit),
        field(kPhoneNumber),
        field(kHangUp),
        field(kModemTimeout),
        stretch(),
    });
}

void COptionsDlg::registerFields() {
    ks::CFieldList& f = fields();
    const unsigned number = FieldKind::kNumeric;
    const unsigned text = FieldKind::kEdit;
    const unsigned list = FieldKind::kList;
    f.add({.id = kExportGroup, .label = 126, .kind = FieldKind::kGroup});
    f.add({.id = kSpreadsheet,
           .label = kSpreadsheetText,
           .kind = FieldKind::kDisplay,
           .format = "%s"});
    f.add({.id = kFileGroup, .label = 260, .kind = FieldKind::kGroup});
    f.add({.id = kRecordLapTime,
           .label = 263,
           .unit = 190,
           .kind = number,
           .value = "0",
           .minimum = 0,
           .maximum = 99999,
           .format = "%0.f"});
    f.add({.id = kSamplePeriod,
           .label = 261,
           .unit = 264,
           .kind = number,
           .value = "1",
           .minimum = 1,
           .maximum = 99999,
           .format = "%0.f"});
    f.add({.id = kLanguage, .label = 156, .list = kLanguageList, .kind = list, .value = "0"});
    f.add({.id = kComGroup, .label = kComText, .kind = FieldKind::kGroup});
    f.add({.id = kSlave,
           .label = 152,
           .kind = number,
           .value = "1",
           .minimum = 0,
           .maximum = 255,
           .format = "%0.f"});
    f.add({.id = kPort, .label = kComText, .kind = list});
    f.add({.id = kBauds, .label = 9, .list = kBaudList, .kind = list, .value = "5"});
    f.add({.id = kUseModem, .label = 79, .list = kYesNoList, .kind = list, .value = "1"});
    f.add({.id = kDialling, .label = 218, .list = kDiallingList, .kind = list, .value = "0"});
    f.add({.id = kModemInit,
           .label = 15,
           .kind = text,
           .value = std::string(key::kModemInit.textDefault),
           .format = "%s"});
    f.add({.id = kPhoneNumber, .label = 219, .kind = text, .format = "%s"});
    f.add({.id = kHangUp,
           .label = 16,
           .kind = text,
           .value = std::string(key::kDesconnectString.textDefault),
           .format = "%s"});
    f.add({.id = kModemTimeout,
           .label = 292,
           .unit = 205,
           .kind = number,
           .value = "500",
           .minimum = 0,
           .maximum = 99999,
           .format = "%0.f"});
    for (int id : {kSpreadsheet, kRecordLapTime, kSamplePeriod, kLanguage, kSlave, kPort, kBauds,
                   kUseModem, kDialling, kModemInit, kPhoneNumber, kHangUp, kModemTimeout})
        track(id);
    fillPortList();
}

void COptionsDlg::track(int id) {
    m_tracked.push_back(id);
}

void COptionsDlg::fillPortList() {
    const ks::CPortTable& ports = link().serialLink().portTable();
    std::vector<std::string> entries;
    entries.reserve(kPortCount);
    const std::string com = utf8(text(kComText));
    for (int n = 1; n <= kPortCount; ++n) {
        std::string entry = com + " " + std::to_string(n);
        const std::string path = ports.pathOf(n);
        if (!path.empty())
            entry += " (" + path + ")";
        entries.push_back(std::move(entry));
    }
    fields().find(kPort)->setList(std::move(entries));
}

void COptionsDlg::setSearchPorts(std::vector<int> ports, int timeoutMs) {
    m_searchPorts = std::move(ports);
    m_searchTimeoutMs = timeoutMs;
}

CButtonKS* COptionsDlg::button(int control) const {
    const auto it = m_buttons.find(control);
    return it == m_buttons.end() ? nullptr : it->second;
}

void COptionsDlg::createButtons() {
    const auto make = [this](int control, const QIcon& icon, const QString& caption) {
        auto* b = new CButtonKS(icon, caption, this);
        b->setObjectName(QStringLiteral("button_%1").arg(control));
        b->owner().setOwnerId(control);
        b->owner().setNotifyTarget(this);
        m_buttons[control] = b;
        return b;
    };
    QStyle* style = QApplication::style();
    const auto addRow = [this](int group, std::initializer_list<QWidget*> widgets) {
        QGroupBox* box = widgetsOf(group).group;
        auto* grid = box != nullptr ? qobject_cast<QGridLayout*>(box->layout()) : nullptr;
        auto* row = new QHBoxLayout;
        row->addStretch();
        for (QWidget* w : widgets)
            row->addWidget(w);
        if (grid != nullptr)
            grid->addLayout(row, grid->rowCount(), 0, 1, 3);
        else
            contentLayout()->addLayout(row);
    };
    addRow(kExportGroup,
           {make(kBrowseButton, style->standardIcon(QStyle::SP_DirOpenIcon), {}),
            make(kClearButton, style->standardIcon(QStyle::SP_DialogResetButton), {})});
    addRow(kComGroup, {make(kSearchButton, QIcon(), text(kSearchText))});
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    CButtonKS* ok =
        make(kOkButton, style->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"));
    ok->setDefault(true);
    bottom->addWidget(ok);
    contentLayout()->addLayout(bottom);
}

void COptionsDlg::onInitDialog() {
    setCaptionText(kCaption);
    createButtons();
    load();
}

bool COptionsDlg::isModemSelected() const {
    return fields().find(kUseModem)->listIndex() == kModemYes;
}

void COptionsDlg::load() {
    ks::CFieldList& f = fields();
    const auto number = [this](const ks::profile::Setting& s) {
        return readNumber(s.section, s.key, s.numberDefault);
    };
    const auto string = [this](const ks::profile::Setting& s, std::string_view def) {
        return readString(s.section, s.key, def);
    };
    // The placeholder that asks start-up to look for a spreadsheet is no program: shown empty.
    const std::string spreadsheet = string(key::kPathSpreadsheet, "");
    m_lookupPlaceholder = ks::asksForSpreadsheetLookup(spreadsheet);
    f.find(kSpreadsheet)->setText(m_lookupPlaceholder ? std::string() : spreadsheet);
    f.find(kRecordLapTime)->setNumber(number(key::kRecordLapTime));
    f.find(kSamplePeriod)->setNumber(number(key::kSampleRecordTime));
    f.find(kLanguage)->setListIndex(language() - 1);
    f.find(kSlave)->setNumber(number(key::kComJBus));
    f.find(kPort)->setText({});
    m_portMissing = f.find(kPort)->setListIndex(storedIndex(number(key::kComPort))) != 0;
    f.find(kBauds)->setListIndex(storedIndex(number(key::kComBauds)));
    f.find(kUseModem)->setListIndex(storedIndex(number(key::kUseModem)));
    f.find(kDialling)->setListIndex(storedIndex(number(key::kNumerotation)));
    f.find(kModemInit)->setText(string(key::kModemInit, key::kModemInit.textDefault));
    f.find(kPhoneNumber)->setText(string(key::kTelefonNumber, key::kTelefonNumber.textDefault));
    f.find(kHangUp)->setText(string(key::kDesconnectString, key::kDesconnectString.textDefault));
    f.find(kModemTimeout)->setNumber(number(key::kModemTimeout));
    loadMoreValues();

    m_loaded.clear();
    for (int id : m_tracked)
        if (const ks::CField* field = f.find(id))
            m_loaded[id] = field->text();
    valueChanged();
}

void COptionsDlg::save() {
    const ks::CFieldList& f = fields();
    const auto number = [this, &f](const ks::profile::Setting& s, int id) {
        writeNumber(s.section, s.key, f.find(id)->number());
    };
    const auto string = [this, &f](const ks::profile::Setting& s, int id) {
        writeString(s.section, s.key, f.find(id)->text());
    };
    // Left empty over the placeholder: start-up keeps looking for a spreadsheet.
    if (!(m_lookupPlaceholder && f.find(kSpreadsheet)->text().empty()))
        string(key::kPathSpreadsheet, kSpreadsheet);
    number(key::kRecordLapTime, kRecordLapTime);
    number(key::kSampleRecordTime, kSamplePeriod);
    number(key::kLanguage, kLanguage);
    number(key::kComJBus, kSlave);
    // A port the list could not show stays as it was stored rather than becoming garbage.
    if (f.find(kPort)->listIndex() >= 0)
        number(key::kComPort, kPort);
    number(key::kComBauds, kBauds);
    number(key::kUseModem, kUseModem);
    number(key::kNumerotation, kDialling);
    string(key::kModemInit, kModemInit);
    string(key::kTelefonNumber, kPhoneNumber);
    string(key::kDesconnectString, kHangUp);
    number(key::kModemTimeout, kModemTimeout);
    saveMoreValues();
}

void COptionsDlg::valueChanged() {
    ks::CFieldList& f = fields();
    const int chosen = f.find(kLanguage)->listIndex();
    if (chosen >= 0 && chosen + 1 != language())
        applyLanguage(chosen + 1);

    const bool modem = isModemSelected();
    for (int id : kModemFields)
        f.find(id)->enable(modem);
    if (CButtonKS* search = button(kSearchButton))
        search->setEnabled(!modem);

    m_modified = false;
    for (int id : m_tracked) {
        const ks::CField* field = f.find(id);
        const auto loaded = m_loaded.find(id);
        if (field != nullptr && loaded != m_loaded.end() && field->text() != loaded->second)
            m_modified = true;
    }
    refreshFields();
}

void COptionsDlg::applyLanguage(int language) {
    CDeviceDlg::applyLanguage(language);
    fillPortList();
    if (CButtonKS* search = button(kSearchButton))
        search->setText(text(kSearchText));
    refreshFields();
}

void COptionsDlg::onFieldEdited(int id) {
    (void)id;
    valueChanged();
}

void COptionsDlg::onButton(int control) {
    switch (control) {
    case kSearchButton:
        searchDevice();
        break;
    case kBrowseButton:
        browseSpreadsheet();
        break;
    case kClearButton:
        clearSpreadsheet();
        break;
    case kOkButton:
        closeDialog();
        break;
    default:
        break;
    }
}

void COptionsDlg::searchDevice() {
    const int baudEntries = static_cast<int>(textList(kBaudList).size());
    CDeviceSearchDlg search(link(), ks::Identification::kBlockCode,
                            ks::Identification::kRegisterCount, 1, baudEntries, this);
    search.setPorts(m_searchPorts);
    search.setTimeout(m_searchTimeoutMs);
    search.exec();
    if (search.foundBaudIndex() < 0)
        return;
    ks::CFieldList& f = fields();
    f.find(kPort)->setListIndex(search.foundPort() - 1);
    f.find(kBauds)->setListIndex(search.foundBaudIndex());
    f.find(kSlave)->setNumber(search.foundSlave());
    valueChanged();
}

void COptionsDlg::browseSpreadsheet() {
    ks::CFlowApp& flow = app().flowApp();
    // Programs here carry no ".exe": every file may be one.
    const QString title = text(kSpreadsheetText);
    const std::string chosen = app().prompts().openFile(utf8(title), flow.workingFolder(),
                                                        utf8(title + QStringLiteral(" (*)")));
    if (chosen.empty())
        return;
    fields().find(kSpreadsheet)->setText(chosen);
    flow.setWorkingFolderFromFile(chosen);
    valueChanged();
}

void COptionsDlg::clearSpreadsheet() {
    fields().find(kSpreadsheet)->setText({});
    valueChanged();
}

void COptionsDlg::closeDialog() {
    if (m_modified || m_portMissing) {
        if (question(kSaveQuestion, {}, kWarningCaption) == ks::CUserPrompts::Answer::Yes) {
            save();
            done(Accepted);
            return;
        }
    }
    done(Rejected);
}

void COptionsDlg::reject() {
    closeDialog();
}

} // namespace ks::gui
