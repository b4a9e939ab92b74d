#pragma once

#include "controls/CFieldBinder.h"

#include <QHash>
#include <QWidget>

#include <vector>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;

namespace ks::gui {

class CButtonKS;
class CTabHost;

// One line of a dialog template. A template is a plain table that says what goes where;
// layouts do the geometry, so there are no coordinates.
enum class TemplateItem {
    Page,   // a new page of the tab host, titled by text number `text`
    Column, // a new column on the current page (or on the dialog)
    Group,  // a group box: bound to group-box field `id`, or titled by text number `text`
    End,    // closes the current group box
    Field,  // one row of field `id`: label | value | unit
    Button, // a CButtonKS in the button row, control id `id`, caption text number `text`
    Stretch // free space at this point of the column
};

struct TemplateEntry {
    TemplateItem item;
    int id = 0;
    int text = 0;
};

// Short spellings for writing a template table.
namespace tpl {
inline TemplateEntry page(int titleText) {
    return {TemplateItem::Page, 0, titleText};
}
inline TemplateEntry column() {
    return {TemplateItem::Column};
}
inline TemplateEntry group(int fieldId) {
    return {TemplateItem::Group, fieldId, 0};
}
inline TemplateEntry titledGroup(int titleText) {
    return {TemplateItem::Group, 0, titleText};
}
inline TemplateEntry end() {
    return {TemplateItem::End};
}
inline TemplateEntry field(int id) {
    return {TemplateItem::Field, id, 0};
}
inline TemplateEntry button(int id, int captionText) {
    return {TemplateItem::Button, id, captionText};
}
inline TemplateEntry stretch() {
    return {TemplateItem::Stretch};
}
} // namespace tpl

// The body of a dialog built from a template table over the dialog's field list:
//
//   const std::vector<TemplateEntry> kSheet = {
//       tpl::page(146),                                      // "Général"
//       tpl::group(1540), tpl::field(1010), tpl::field(1020), tpl::end(),
//       tpl::column(),
//       tpl::titledGroup(75), tpl::field(1030), tpl::end(),  // "Com"
//       tpl::page(269), ...
//       tpl::button(1606, 293),
//   };
//   auto* body = new CDialogTemplate(kSheet, m_fields, this);  // this: the dialog
//   layout->addWidget(body);
//   connect(&body->binder(), &CFieldBinder::fieldEdited, this, &MyDialog::runRules);
//
// Field rows sit in a three-column grid (label | value | unit) inside their group box or
// column; the controls report to the dialog (the template's parent when it is built, or
// setNotifyTarget). Rows whose id is not in the field list, and value-only fields, are left
// out.
class CDialogTemplate : public QWidget {
    Q_OBJECT
public:
    CDialogTemplate(const std::vector<TemplateEntry>& table, ks::CFieldList& fields,
                    QWidget* parent = nullptr);

    CFieldBinder& binder() { return m_binder; }

    void setNotifyTarget(QObject* target);
    // Fields, page titles, fixed group titles and button captions in another language.
    void setLanguage(int language);

    CTabHost* tabHost() const { return m_tabs; }
    QWidget* page(int index) const;
    CButtonKS* button(int id) const { return m_buttons.value(id); }

private:
    void build(const std::vector<TemplateEntry>& table);
    QVBoxLayout* currentColumn();
    QGridLayout* currentGrid();
    void addRow(int id);

    CFieldBinder m_binder;
    QVBoxLayout* m_outer = nullptr;
    CTabHost* m_tabs = nullptr;
    QWidget* m_surface = nullptr; // the current page, or the body without pages
    QHBoxLayout* m_columns = nullptr;
    QVBoxLayout* m_column = nullptr;
    QGridLayout* m_grid = nullptr;
    QWidget* m_gridOwner = nullptr;
    QHash<QGridLayout*, int> m_rows;
    QHBoxLayout* m_buttonRow = nullptr;
    QHash<int, CButtonKS*> m_buttons;
    QHash<QGroupBox*, int> m_fixedGroups;
    QHash<CButtonKS*, int> m_buttonTexts;
    QList<QWidget*> m_pages;
};

} // namespace ks::gui
