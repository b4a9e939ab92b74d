#pragma once

#include "shell/DialogKS.h"

class QLabel;

namespace ks::gui {

class CLogoView;

// The About box: the program's picture, its name, version and copyright, and an OK button.
class CAboutDlg : public CDialogKS {
    Q_OBJECT

public:
    static constexpr int kTemplate = 103;

    explicit CAboutDlg(QWidget* parent = nullptr);

    // The text shown (for tests and the screenshot tool's users).
    QString aboutText() const;
    // nullptr when a customer logo replaces the built-in picture.
    QWidget* picture() const { return m_picture; }

private:
    QWidget* m_picture = nullptr;
    QLabel* m_text = nullptr;
};

} // namespace ks::gui
