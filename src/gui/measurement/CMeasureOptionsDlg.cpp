#include "measurement/CMeasureOptionsDlg.h"

#include "app/DesktopApp.h"
#include "app/ProfileKeys.h"
#include "app/QtText.h"
#include "controls/CButtonKS.h"
#include "measurement/CMacroChoiceDlg.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>

#include <cmath>

namespace ks::gui {

namespace {

namespace key = ks::profile;
using ks::FieldKind;

constexpr int kApplicationText = 7; // "Application": the page and the line
constexpr int kApplicationList = 22;
constexpr int kGraphText = 148; // "Grapheur"
constexpr int kGraphEnds = 30;  // "-Q/-V", "0", "+Q/+V"
constexpr int kMinText = 182;
constexpr int kMaxText = 169;
constexpr int kMacroTestText = 165;
constexpr int kPathTestText = 228;

// A stored list index; the default when it is not a whole number in the list.
int storedIndex(double value, int entries, int def) {
    if (!std::isfinite(value) || value != std::floor(value) || value < 0 || value >= entries)
        return def;
    return static_cast<int>(value);
}

// The grid row a widget sits in, searched under the widget's parent.
QGridLayout* gridOf(QWidget* widget, int& row) {
    if (widget == nullptr || widget->parentWidget() == nullptr)
        return nullptr;
    for (QGridLayout* grid : widget->parentWidget()->findChildren<QGridLayout*>()) {
        const int index = grid->indexOf(widget);
        if (index < 0)
            continue;
        int column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        return grid;
    }
    return nullptr;
}

} // namespace

CMeasureOptionsDlg::CMeasureOptionsDlg(ks::CJBusLink& link, QWidget* parent)
    : COptionsDlg(link, parent) {
    ks::CFieldList& f = fields();
    const unsigned list = FieldKind::kList;
    f.add({.id = kApplication,
           .label = kApplicationText,
           .list = kApplicationList,
           .kind = list,
           .value = "0"});
    f.add({.id = kGraphGroup, .label = kGraphText, .kind = FieldKind::kGroup});
    f.add({.id = kGraphMin, .label = kMinText, .list = kGraphEnds, .kind = list, .value = "0"});
    f.add({.id = kGraphMax, .label = kMaxText, .list = kGraphEnds, .kind = list, .value = "2"});
    f.add({.id = kMacroTest, .label = kMacroTestText, .kind = FieldKind::kDisplay, .format = "%s"});
    f.add({.id = kPathTest, .label = kPathTestText, .kind = FieldKind::kDisplay, .format = "%s"});
    for (int id : {kApplication, kGraphMin, kGraphMax, kMacroTest, kPathTest})
        track(id);
    using namespace tpl;
    appendBodyTemplate({
        page(kApplicationText),
        field(kApplication),
        group(kGraphGroup),
        field(kGraphMin),
        field(kGraphMax),
        end(),
        field(kMacroTest),
        field(kPathTest),
        stretch(),
    });
}

CButtonKS* CMeasureOptionsDlg::pageButton(int control) const {
    const auto it = m_pageButtons.find(control);
    return it == m_pageButtons.end() ? nullptr : it->second;
}

void CMeasureOptionsDlg::onInitDialog() {
    addButtons(kMacroTest, kBrowseMacro, kClearMacro);
    addButtons(kPathTest, kBrowseFolder, kClearFolder);
    COptionsDlg::onInitDialog();
}

void CMeasureOptionsDlg::addButtons(int fieldId, int browse, int clear) {
    QStyle* style = QApplication::style();
    auto* row = new QHBoxLayout;
    for (const auto& [control, icon, caption] :
         {std::tuple{browse, style->standardIcon(QStyle::SP_DirOpenIcon), QString()},
          std::tuple{clear, QIcon(), QStringLiteral("RAZ")}}) {
        auto* b = new CButtonKS(icon, caption, this);
        b->setObjectName(QStringLiteral("button_%1").arg(control));
        b->owner().setOwnerId(control);
        b->owner().setNotifyTarget(this);
        m_pageButtons[control] = b;
        row->addWidget(b);
    }
    int at = 0;
    if (QGridLayout* grid = gridOf(widgetsOf(fieldId).value, at))
        grid->addLayout(row, at, 3);
    else
        contentLayout()->addLayout(row);
}

void CMeasureOptionsDlg::loadMoreValues() {
    ks::CFieldList& f = fields();
    const auto index = [this](const ks::profile::Setting& s, int entries) {
        return storedIndex(readNumber(s.section, s.key, s.numberDefault), entries,
                           static_cast<int>(s.numberDefault));
    };
    f.find(kApplication)->setListIndex(index(key::kApplication, 2));
    f.find(kGraphMin)->setListIndex(index(key::kMinGraph, 3));
    f.find(kGraphMax)->setListIndex(index(key::kMaxGraph, 3));
    f.find(kMacroTest)
        ->setText(readString(key::kPathMacroTest.section, key::kPathMacroTest.key, ""));
    f.find(kPathTest)->setText(readString(key::kPathTest.section, key::kPathTest.key, ""));
}

void CMeasureOptionsDlg::saveMoreValues() {
    const ks::CFieldList& f = fields();
    for (const auto& [setting, id] :
         {std::pair{key::kApplication, kApplication}, std::pair{key::kMinGraph, kGraphMin},
          std::pair{key::kMaxGraph, kGraphMax}})
        writeNumber(setting.section, setting.key, f.find(id)->listIndex());
    writeString(key::kPathMacroTest.section, key::kPathMacroTest.key, f.find(kMacroTest)->text());
    writeString(key::kPathTest.section, key::kPathTest.key, f.find(kPathTest)->text());
}

void CMeasureOptionsDlg::onButton(int control) {
    switch (control) {
    case kBrowseMacro:
        browseMacro();
        return;
    case kBrowseFolder:
        browseFolder();
        return;
    case kClearMacro:
        clearText(kMacroTest);
        return;
    case kClearFolder:
        clearText(kPathTest);
        return;
    default:
        COptionsDlg::onButton(control);
    }
}

void CMeasureOptionsDlg::browseMacro() {
    const std::string chosen = app().prompts().openFile(
        utf8(text(kMacroTestText)), fields().find(kMacroTest)->text(), kMacroFilter);
    if (chosen.empty())
        return;
    fields().find(kMacroTest)->setText(chosen);
    onFieldEdited(kMacroTest);
}

void CMeasureOptionsDlg::browseFolder() {
    const std::string chosen =
        app().prompts().chooseFolder(utf8(text(kPathTestText)), fields().find(kPathTest)->text());
    if (chosen.empty())
        return;
    fields().find(kPathTest)->setText(chosen);
    onFieldEdited(kPathTest);
}

void CMeasureOptionsDlg::clearText(int fieldId) {
    fields().find(fieldId)->setText({});
    onFieldEdited(fieldId);
}

} // namespace ks::gui
