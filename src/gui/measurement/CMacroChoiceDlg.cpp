#include "measurement/CMacroChoiceDlg.h"

#include "app/DesktopApp.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "framework/Exchange.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace ks::gui {

namespace {
constexpr int kCaption = 283;    // "Choix de la macro"
constexpr int kPromptText = 125; // "Choisir la macro\nValider pour lancer la macro\n..."
} // namespace

CMacroChoiceDlg::CMacroChoiceDlg(const QString& macroPath, QWidget* parent)
    : CDialogKS(kTemplate, parent), m_prompt(new QLabel(text(kPromptText), this)),
      m_path(new QLineEdit(macroPath, this)) {
    setCaptionText(kCaption);
    QStyle* style = QApplication::style();
    m_validate =
        new CButtonKS(style->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    m_cancel = new CButtonKS(style->standardIcon(QStyle::SP_DialogCancelButton),
                             CExchange::cancelText(language()), this);
    m_browse = new CButtonKS(style->standardIcon(QStyle::SP_DirOpenIcon), {}, this);
    const struct {
        CButtonKS* button;
        int control;
    } named[] = {{m_validate, kValidate}, {m_cancel, kCancel}, {m_browse, kBrowse}};
    for (const auto& n : named)
        n.button->setObjectName(QStringLiteral("button_%1").arg(n.control));
    m_path->setObjectName(QStringLiteral("edit_%1").arg(kPath));
    m_path->setMinimumWidth(360);
    m_validate->setDefault(true);
    connect(m_validate, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &CMacroChoiceDlg::browse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    layout->addLayout(pathRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_validate);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
}

QString CMacroChoiceDlg::macroPath() const {
    return m_path->text();
}

CButtonKS* CMacroChoiceDlg::button(int control) const {
    switch (control) {
    case kValidate:
        return m_validate;
    case kCancel:
        return m_cancel;
    case kBrowse:
        return m_browse;
    default:
        return nullptr;
    }
}

void CMacroChoiceDlg::browse() {
    const std::string chosen =
        app().prompts().openFile(utf8(text(kCaption)), utf8(m_path->text()), kMacroFilter);
    if (!chosen.empty())
        m_path->setText(qtext(chosen));
}

} // namespace ks::gui
