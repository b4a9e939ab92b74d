#include "settings/ServiceDlg.h"

#include "app/DesktopApp.h"
#include "app/ProfileKeys.h"
#include "framework/Identification.h"
#include "i18n/DateTime.h"
#include "shell/DialogModes.h"

namespace ks::gui {

namespace {

ks::ParameterContext contextOf(const CDialogKS& dialog) {
    ks::ParameterContext c;
    c.velocity = dialog.profile().readInteger(ks::profile::kApplication) == 1;
    c.selectionType = dialog.profile().readInteger(ks::profile::kSelectionType);
    c.language = dialog.language();
    return c;
}

std::vector<int> withIdentification(std::vector<int> order) {
    // The identification names the meter in a file's header.
    order.insert(order.begin(), ks::Identification::kBlockCode);
    return order;
}

} // namespace

CServiceDlg::CServiceDlg(ks::ParameterKind kind, int templateNumber, int mode, ks::CJBusLink& link,
                         QWidget* parent, std::string filePath)
    : CParameterDlg(templateNumber, mode, link, parent, std::move(filePath)) {
    m_set = ks::makeParameterSet(kind, contextOf(*this), &fields());
    setFileKind(m_set->kindText());
    setReadOrder(withIdentification(m_set->readOrder()));
    setFileOrder(m_set->fileOrder());
    setFirmwareField(m_set->firmwareField());
}

CServiceDlg::~CServiceDlg() = default;

void CServiceDlg::onInitDialog() {
    setCaptionText(m_set->captionText());
}

void CServiceDlg::valuesArrived() {
    using namespace ks::dialogmode;
    if (showsFileValues())
        m_set->valuesLoaded();
    else if ((mode() & kDialogue) != 0 || (mode() & kNew) == 0)
        m_set->valuesRead();
    else
        m_set->refresh(); // the defaults of a new dialog
    refreshFields();
}

void CServiceDlg::onFieldEdited(int) {
    m_set->refresh();
    refreshFields();
}

std::unique_ptr<CParameterDlg> CServiceDlg::comparisonInstance() {
    return makeReference();
}

ks::TransferOutcome CServiceDlg::runTransfer() {
    const ks::TransferOutcome out =
        m_set->transfer(meter(), app().prompts(), ks::CDateTime::now().fields(), true);
    if (out.status == ks::TransferOutcome::Status::WriteFailed && out.failedBlock >= 0)
        reportWriteFailure(out.failedBlock, out.written);
    // A transfer may have read the meter (the calibration, the special probe).
    refreshFields();
    return out;
}

void CServiceDlg::transfer() {
    runTransfer();
}

} // namespace ks::gui
