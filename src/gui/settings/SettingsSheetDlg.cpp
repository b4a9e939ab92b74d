#include "settings/SettingsSheetDlg.h"

#include "app/DesktopApp.h"
#include "app/ProfileKeys.h"
#include "app/QtText.h"
#include "controls/CTabHost.h"
#include "framework/MeterDate.h"
#include "framework/ValueType.h"
#include "i18n/DateTime.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"
#include "shell/DialogModes.h"

#include <QTimer>

namespace ks::gui {

namespace {

namespace id = ks::settings::id;
namespace tx = ks::settings::text;
namespace blk = ks::settings::block;
using Status = ks::TransferOutcome::Status;

constexpr int kOutputsPage = 3;
constexpr int kCaption = 300;   // "Paramétrage"
constexpr int kLastSlave = 247; // 0 is everybody's (broadcast); above 247 is reserved

// Where the fields sit on the four pages. Group boxes are the groups' own fields, so that
// the rules can hide and retitle them.
std::vector<TemplateEntry> sheetTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        page(tx::kGeneral),
        column(),
        group(id::kGroupCom),
        field(id::kSlave),
        end(),
        group(id::kGroupMeasure),
        field(id::kFilter),
        field(id::kMemory),
        end(),
        group(id::kGroupInit),
        field(id::kSyncClock),
        field(id::kResetTotaliser1),
        field(id::kResetTotaliser2),
        end(),
        column(),
        group(id::kGroupDisplay),
        field(id::kLine1),
        field(id::kLine2),
        field(id::kFirstScreen),
        field(id::kBacklight),
        field(id::kFirmware),
        end(),

        page(tx::kProbeEcho),
        column(),
        group(id::kGroupProbe),
        field(id::kChords),
        field(id::kProbe),
        field(id::kMounting),
        field(id::kMeasureOn),
        field(id::kUsDuration),
        end(),
        column(),
        group(id::kGroupChord1),
        field(id::kPolarity1),
        field(id::kGainType1),
        field(id::kMargin1),
        field(id::kLength1),
        field(id::kAxial1),
        field(id::kCv1),
        field(id::kDeltaT01),
        end(),
        column(),
        group(id::kGroupChord2),
        field(id::kPolarity2),
        field(id::kGainType2),
        field(id::kMargin2),
        field(id::kLength2),
        field(id::kAxial2),
        field(id::kCv2),
        field(id::kDeltaT02),
        end(),

        page(tx::kPipeProduct),
        column(),
        group(id::kGroupPipe1),
        field(id::kDiameter1),
        field(id::kMaterial1),
        field(id::kMaterialSpeed),
        field(id::kThickness1),
        end(),
        group(id::kGroupPipe2),
        field(id::kDiameter2),
        field(id::kMaterial2),
        field(id::kThickness2),
        end(),
        column(),
        group(id::kGroupProduct),
        field(id::kProduct),
        field(id::kC0),
        field(id::kDeltaC),
        end(),
        group(id::kGroupKh),
        field(id::kKhType),
        field(id::kKh),
        field(id::kViscosity),
        field(id::kRoughness),
        field(id::kReynolds),
        field(id::kLbr),
        end(),

        page(tx::kFlowOutputs),
        column(),
        group(id::kGroupFlow),
        field(id::kFlowUnit),
        field(id::kQMax),
        field(id::kQCut),
        end(),
        group(id::kGroupQt),
        field(id::kCoefficientA),
        field(id::kCoefficientB),
        end(),
        group(id::kGroupVolume1),
        field(id::kDirection1),
        field(id::kVolumeType1),
        end(),
        group(id::kGroupVolume2),
        field(id::kDirection2),
        field(id::kVolumeType2),
        end(),
        group(id::kGroupPulse),
        field(id::kPulseWeight),
        field(id::kPulseWidth),
        end(),
        column(),
        group(id::kGroupRelay1),
        field(id::kRelayType1),
        field(id::kThreshold1),
        field(id::kRelaySense1),
        end(),
        group(id::kGroupRelay2),
        field(id::kRelayType2),
        field(id::kThreshold2),
        field(id::kRelaySense2),
        end(),
        column(),
        group(id::kGroupOutput1),
        field(id::kOutputType1),
        field(id::kOutput1At4mA),
        field(id::kOutput1At20mA),
        end(),
        group(id::kGroupOutput2),
        field(id::kOutputType2),
        field(id::kOutput2At4mA),
        field(id::kOutput2At20mA),
        end(),
    };
    const std::vector<TemplateEntry> buttons = CParameterDlg::buttonRow();
    t.insert(t.end(), buttons.begin(), buttons.end());
    return t;
}

ks::SheetContext contextOf(const CDialogKS& dialog, int mode) {
    ks::SheetContext c;
    c.mode = CSettingsSheetDlg::sheetModeOf(mode);
    c.velocity = dialog.profile().readInteger(ks::profile::kApplication) == 1;
    c.selectionType = dialog.profile().readInteger(ks::profile::kSelectionType);
    return c;
}

} // namespace

int CSettingsSheetDlg::sheetModeOf(int dialogMode) {
    using namespace ks::dialogmode;
    if (dialogMode == ks::sheetmode::kComparison)
        return ks::sheetmode::kComparison;
    if ((dialogMode & kInstallationMode) != 0)
        return ks::sheetmode::kInstallation;
    if ((dialogMode & kOpen) != 0)
        return ks::sheetmode::kFile;
    if ((dialogMode & kNew) != 0 && (dialogMode & kDialogue) == 0)
        return ks::sheetmode::kDefaults;
    return ks::sheetmode::kMeter;
}

CSettingsSheetDlg::CSettingsSheetDlg(int mode, ks::CJBusLink& link, QWidget* parent,
                                     std::string filePath)
    : CParameterDlg(kTemplate, mode, link, parent, std::move(filePath)) {
    m_sheet = std::make_unique<ks::CSettingsSheet>(fields(), contextOf(*this, mode), language());
    setFileKind(tx::kSettingsFileKind);
    setReadOrder(ks::sheetReadOrder());
    setFileOrder(ks::sheetFileOrder());
    setFirmwareField(id::kFirmware);
    setBodyTemplate(sheetTemplate());
    // Rules run before anything is shown, so that an unshown sheet (comparison) is right too.
    m_sheet->refresh();
}

CSettingsSheetDlg::~CSettingsSheetDlg() = default;

void CSettingsSheetDlg::onInitDialog() {
    setCaptionText(kCaption);
    // A page whose groups the rules have shown may need more room than the dialog has.
    connect(body()->tabHost(), &QTabWidget::currentChanged, this, [this] { fitContents(); });
    body()->binder().setEntryCheck(
        [this](ks::CField& field, const std::string& entry) { return takeEntry(field, entry); });
    mirror();
}

void CSettingsSheetDlg::applyLanguage(int language) {
    CParameterDlg::applyLanguage(language);
    mirror();
}

bool CSettingsSheetDlg::takeEntry(ks::CField& field, const std::string& entry) {
    std::string error;
    if (ks::setFieldFromText(field, entry, error) == 0)
        return true;
    // Never put back into the limits without a word: the field keeps its value.
    app().prompts().message(error, utf8(text(tx::kCaution)), ks::CUserPrompts::Icon::Warning);
    return false;
}

void CSettingsSheetDlg::onFieldEdited(int) {
    mirror();
}

void CSettingsSheetDlg::mirror() {
    m_sheet->refresh();
    refreshFields();
    if (body() != nullptr && body()->tabHost() != nullptr)
        body()->tabHost()->setPageTitle(kOutputsPage, m_sheet->rules().outputsPageTitle());
    fitContents();
}

void CSettingsSheetDlg::fitContents() {
    // Groups the rules show may need more room than the page had (once the layouts have
    // taken the change in).
    if (isVisible())
        QTimer::singleShot(0, this, [this] { resize(size().expandedTo(sizeHint())); });
}

void CSettingsSheetDlg::valuesArrived() {
    if (showsFileValues()) {
        if (m_sheet->mode() != ks::sheetmode::kComparison)
            m_sheet->setMode(ks::sheetmode::kFile);
    } else {
        // Read from the meter: the serial number and firmware a settings file will name.
        m_sheet->syncIdentification();
    }
    m_sheet->rules().valuesLoaded();
    mirror();
}

std::unique_ptr<CParameterDlg> CSettingsSheetDlg::comparisonInstance() {
    return std::make_unique<CSettingsSheetDlg>(kComparisonMode, link(), this);
}

void CSettingsSheetDlg::afterOpening() {
    // A program showing a customer's logo gives the meter no name of ours.
    if (app().flowApp().logoFlag()) {
        m_sheet->rules().clearLineOneForLogo();
        mirror();
    }
}

bool CSettingsSheetDlg::openSpecialMode() {
    if (m_sheet->mode() != ks::sheetmode::kInstallation)
        return false;
    if (readMeter() != 0) {
        reject();
        return true;
    }
    afterOpening();
    m_sheet->rules().prepareInstallation(
        ks::dateNumberOf(ks::valuetype::kMeterDate3, ks::CDateTime::now().fields()));
    mirror();
    const ks::TransferOutcome prepared = runTransfer();
    const bool written = prepared.status == Status::Prepared && writeBlocks(prepared.order);
    done(written ? Accepted : Rejected);
    return true;
}

ks::TransferOutcome CSettingsSheetDlg::runTransfer() {
    ks::CSettingsTransfer transfer(fields(), m_sheet->rules(), meter(), app().prompts());
    const ks::TransferOutcome out = transfer.run(ks::CDateTime::now().fields());
    if (out.status == Status::WriteFailed)
        reportWriteFailure(out.failedBlock, out.written);
    // The meter's identification or factory block may have come in.
    mirror();
    return out;
}

void CSettingsSheetDlg::blockWritten(int blockCode) {
    if (blockCode != blk::kMain)
        return;
    // The meter answers at its new JBus number as soon as it took the settings: the blocks
    // still to write (totaliser command) and later reads go there.
    const ks::CField* slave = fields().find(id::kSlave);
    const int number = slave != nullptr ? static_cast<int>(slave->number()) : 0;
    ks::ConnectionSettings c = connection();
    if (number >= 1 && number <= kLastSlave && number != c.slave) {
        c.slave = number;
        setConnection(c);
    }
}

void CSettingsSheetDlg::transfer() {
    runTransfer();
}

} // namespace ks::gui
