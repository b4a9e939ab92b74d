#include "shell/AboutDlg.h"

#include "app/DesktopApp.h"
#include "app/QtText.h"
#include "shell/AboutText.h"
#include "shell/ProgramPictures.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace ks::gui {

namespace {

// The built-in picture at a size that suits a small box.
class CSmallPicture : public QWidget {
public:
    explicit CSmallPicture(QWidget* parent) : QWidget(parent) {
        setFixedSize(logoSize().scaled(220, 220, Qt::KeepAspectRatio));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintBuiltInPicture(p, size());
    }
};

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CDialogKS(kTemplate, parent) {
    setCaptionText(kAboutCaptionText);

    auto* row = new QHBoxLayout;
    if (!app().flowApp().logoFlag()) {
        m_picture = new CSmallPicture(this);
        row->addWidget(m_picture, 0, Qt::AlignTop);
    }
    CTextTable texts;
    m_text = new QLabel(qtext(ks::aboutText(texts, language())), this);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setMinimumWidth(260);
    row->addWidget(m_text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::aboutText() const {
    return m_text->text();
}

} // namespace ks::gui
