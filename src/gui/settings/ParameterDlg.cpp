#include "settings/ParameterDlg.h"

#include "app/DesktopApp.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "i18n/DateTime.h"
#include "settings/DifferenceDlg.h"
#include "settings/ParameterButtons.h"
#include "settings/SettingsCompare.h"
#include "settings/SettingsFile.h"
#include "settings/TransferMessages.h"
#include "shell/DialogModes.h"

namespace ks::gui {

namespace {

constexpr int kTransferQuestion = 301; // "Voulez vous transférer les informations ..."
constexpr int kCaution = 8;            // "Attention"
constexpr int kErrorCaption = 119;     // "Erreur"
constexpr int kSaveTitle = 260;        // "Sauvegarde Fichier"
constexpr int kReferenceTitle = 225;   // "Paramètres références"

} // namespace

int CParameterDlg::MeterExchange::readBlock(int blockCode) {
    // The meter is asked even when the dialog shows a file's values.
    CDeviceSession& session = m_dialog.session();
    const bool fileOnly = session.fileOnly();
    session.setFileOnly(false);
    const int result = m_dialog.readBlock(blockCode);
    session.setFileOnly(fileOnly);
    return result;
}

int CParameterDlg::MeterExchange::writeBlock(int blockCode) {
    const int result = m_dialog.writeBlock(blockCode);
    if (result == 0)
        m_dialog.blockWritten(blockCode);
    return result;
}

CParameterDlg::CParameterDlg(int templateNumber, int mode, ks::CJBusLink& link, QWidget* parent,
                             std::string filePath)
    : CDeviceDlg(templateNumber, mode, link, parent), m_filePath(std::move(filePath)),
      m_meter(*this) {
    setSettingsPage(true);
}

CParameterDlg::~CParameterDlg() = default;

std::vector<TemplateEntry> CParameterDlg::buttonRow() {
    return {tpl::button(kPrintButton, 0), tpl::button(kCompareButton, 0),
            tpl::button(kSaveButton, 0), tpl::button(kTransferButton, 0)};
}

void CParameterDlg::setButtonIcons() {
    if (body() == nullptr)
        return;
    const std::pair<int, ParameterButton> buttons[] = {
        {kPrintButton, ParameterButton::Print},
        {kCompareButton, ParameterButton::Compare},
        {kSaveButton, ParameterButton::Save},
        {kTransferButton, ParameterButton::Transfer}};
    for (const auto& [id, kind] : buttons) {
        if (CButtonKS* b = body()->button(id)) {
            b->setIcon(parameterButtonIcon(kind));
            b->setIconSize(QSize(24, 24));
            b->setToolTip(parameterButtonTip(kind, language()));
            b->setAccessibleName(parameterButtonTip(kind, language()));
        }
    }
    if (CButtonKS* transfer = body()->button(kTransferButton))
        transfer->setDefault(true);
}

void CParameterDlg::applyLanguage(int language) {
    CDeviceDlg::applyLanguage(language);
    setButtonIcons(); // their tips
}

QString CParameterDlg::fileCaption() const {
    return captionText().isEmpty() ? windowTitle() : text(captionTextNumber());
}

void CParameterDlg::onShown() {
    setButtonIcons();
    open();
}

void CParameterDlg::open() {
    using namespace ks::dialogmode;
    if (openSpecialMode())
        return;
    const int m = mode();
    if ((m & kOpen) != 0) {
        if (!loadFile(m_filePath)) {
            reject();
            return;
        }
        afterOpening();
        return;
    }
    if ((m & kNew) != 0 && (m & kDialogue) == 0) {
        valuesComing();
        fields().resetToDefaults();
        valuesArrived();
        afterOpening();
        return;
    }
    // Without its values the dialog has nothing to show.
    if (readMeter() != 0) {
        reject();
        return;
    }
    afterOpening();
    if ((m & kSaveAll) != 0)
        done(saveFile(m_filePath) ? Accepted : Rejected);
    else if ((m & kPrintAll) != 0)
        done(print() == 0 ? Accepted : Rejected);
}

int CParameterDlg::readMeter() {
    valuesComing();
    for (int block : m_readOrder)
        if (readBlock(block) != 0)
            return -1;
    m_sourceFile.clear();
    valuesArrived();
    return 0;
}

bool CParameterDlg::loadFile(const std::string& path) {
    valuesComing();
    const ks::ParameterFileResult r =
        ks::loadParameterFile(path, blocks(), m_fileOrder, m_firmwareField);
    if (!r.ok()) {
        app().prompts().message(r.message, utf8(text(kErrorCaption)),
                                ks::CUserPrompts::Icon::Error);
        return false;
    }
    showFileValues(path);
    return true;
}

void CParameterDlg::showFileValues(const std::string& path) {
    m_sourceFile = path;
    setConfigurationName(qtext(path));
    app().flowApp().setWorkingFolderFromFile(path);
    valuesArrived();
}

bool CParameterDlg::saveFile(const std::string& path) {
    beforeSave();
    const ks::ParameterFileResult r = ks::saveParameterFile(
        path, utf8(fileCaption()), blocks(), m_fileOrder, ks::CDateTime::now().fields());
    if (!r.ok()) {
        app().prompts().message(r.message, utf8(text(kErrorCaption)),
                                ks::CUserPrompts::Icon::Error);
        return false;
    }
    return true;
}

void CParameterDlg::saveCommand() {
    const std::string path =
        app().prompts().saveFile(utf8(text(kSaveTitle)), app().flowApp().workingFolder(),
                                 utf8(fileFilter()), utf8(fileExtension()));
    if (path.empty() || !saveFile(path))
        return;
    // From now on the dialog shows that file: its identification lines and its name.
    loadFile(path);
}

void CParameterDlg::compareCommand() {
    std::unique_ptr<CParameterDlg> reference = comparisonInstance();
    if (!reference)
        return;
    const std::string path = app().prompts().openFile(
        utf8(text(kReferenceTitle)), app().flowApp().workingFolder(), utf8(fileFilter()));
    if (path.empty() || !reference->loadFile(path))
        return;
    const auto rows = ks::compareFieldLists(fields(), reference->fields());
    if (!rows)
        return;
    CDifferenceDlg dialog(ks::differenceReport(*rows, path, m_sourceFile, language()), this);
    m_differences = &dialog;
    dialog.exec();
    reference.reset();
    refreshFields();
}

void CParameterDlg::transfer() {
    if (question(kTransferQuestion, {}, kCaution) != ks::CUserPrompts::Answer::Yes)
        return;
    writeBlocks(m_writeOrder);
}

bool CParameterDlg::writeBlocks(const std::vector<int>& order) {
    std::vector<int> written;
    for (int block : order) {
        if (m_meter.writeBlock(block) != 0) {
            reportWriteFailure(block, written);
            return false;
        }
        written.push_back(block);
    }
    return true;
}

void CParameterDlg::reportWriteFailure(int failedBlock, const std::vector<int>& written) {
    // Shown after the link's own message (no answer, port): what the meter holds now.
    if (exchange().isAbandoned())
        return;
    app().prompts().message(ks::writeFailureMessage(failedBlock, written, language()),
                            utf8(text(kErrorCaption)), ks::CUserPrompts::Icon::Error);
}

void CParameterDlg::onButton(int control) {
    switch (control) {
    case kPrintButton:
        print();
        break;
    case kCompareButton:
        compareCommand();
        break;
    case kSaveButton:
        saveCommand();
        break;
    case kTransferButton:
        transfer();
        break;
    default:
        CDeviceDlg::onButton(control);
        break;
    }
}

} // namespace ks::gui
