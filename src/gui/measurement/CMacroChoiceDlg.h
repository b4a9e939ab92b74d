#pragma once

#include "shell/DialogKS.h"

class QLineEdit;
class QLabel;

namespace ks::gui {

class CButtonKS;

// Asks, before an export hands its data to the spreadsheet, which report macro to run with
// them (template 105). Holds the macro path: given when built, read back after it closes;
// Accepted runs the macro, Rejected goes on without one.
class CMacroChoiceDlg : public CDialogKS {
    Q_OBJECT

public:
    static constexpr int kTemplate = 105;
    static constexpr int kPrompt = 1259;
    static constexpr int kPath = 1260;
    static constexpr int kValidate = 1609;
    static constexpr int kCancel = 1600;
    static constexpr int kBrowse = 1610;

    explicit CMacroChoiceDlg(const QString& macroPath, QWidget* parent = nullptr);

    QString macroPath() const;
    CButtonKS* button(int control) const;
    // The file dialog of the browse button: a chosen file replaces the path.
    void browse();

private:
    QLabel* m_prompt;
    QLineEdit* m_path;
    CButtonKS* m_validate;
    CButtonKS* m_cancel;
    CButtonKS* m_browse;
};

// The file-open dialog's filter for a macro workbook, with its default extension.
inline constexpr const char* kMacroFilter = "Macro (*.xls)";

} // namespace ks::gui
