#include "settings/ApplicationSelectionDlg.h"

#include "app/ProfileKeys.h"
#include "controls/CDialogTemplate.h"
#include "settings/SettingsTexts.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace ks::gui {

namespace {
namespace tx = ks::settings::text;
constexpr int kFirstType = 1;
constexpr int kLastType = 3;
} // namespace

CApplicationSelectionDlg::CApplicationSelectionDlg(QWidget* parent) : CDialogKS(kTemplate, parent) {
    m_fields.setLanguage(language());
    // The list starts with "*", which is not a choice: minimum 1 drops it, and the entries
    // keep their indexes 1 to 3.
    m_fields.add({.id = kChoice,
                  .label = tx::kApplicationSelection,
                  .list = tx::kApplicationTypes,
                  .kind = ks::FieldKind::kList,
                  .value = "1",
                  .minimum = kFirstType});
    setCaptionText(tx::kApplicationSelection);
    auto* layout = new QVBoxLayout(this);
    m_body = new CDialogTemplate({tpl::field(kChoice)}, m_fields, this);
    layout->addWidget(m_body);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CApplicationSelectionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const auto& key = ks::profile::kSelectionType;
    setSelection(static_cast<int>(readNumber(key.section, key.key, key.numberDefault)));
}

int CApplicationSelectionDlg::selection() const {
    return m_fields.find(kChoice)->listIndex();
}

void CApplicationSelectionDlg::setSelection(int type) {
    // A setting outside the list (a hand-edited file) opens on the first kind.
    if (type < kFirstType || type > kLastType)
        type = kFirstType;
    m_fields.find(kChoice)->setListIndex(type);
    m_body->binder().refresh();
}

void CApplicationSelectionDlg::accept() {
    const auto& key = ks::profile::kSelectionType;
    writeNumber(key.section, key.key, selection());
    CDialogKS::accept();
}

} // namespace ks::gui
