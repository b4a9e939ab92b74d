#pragma once

#include "framework/EditBoxRules.h"
#include "framework/FieldList.h"

#include <QGroupBox>
#include <QLabel>
#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <string>

namespace ks::gui {

// The widgets that show one field; members are null when the field has no such part.
struct FieldWidgets {
    QLabel* label = nullptr;    // label text
    QWidget* value = nullptr;   // CComboKS, CEditKS, CListDisplay or QLabel, by kind
    QLabel* unit = nullptr;     // unit text
    QGroupBox* group = nullptr; // a group-box field: its box, titled by the label
};

// Binds the fields of a dialog to their widgets. The field is the model: the binder creates
// each field's widgets by its kind, shows the field in them (texts in the field's language,
// value, hidden / excluded / disabled flags) whenever the dialog asks, and writes what the
// user enters back into the field before the control's notification reaches the dialog; then
// it emits fieldEdited so the dialog can run its rules and refresh.
//
//   CFieldBinder binder(fields);              // fields: the dialog's CFieldList
//   binder.setNotifyTarget(dialog);           // where the controls' notifications go
//   FieldWidgets w = binder.bind(1010, page); // then place w.label / w.value / w.unit
//   ... rules change fields ...
//   binder.refresh();
//
// Kinds: choice list -> CComboKS; edit box and numeric text -> CEditKS; read-only display ->
// CListDisplay for a format ending in "l", else a QLabel; group-box kinds -> QGroupBox; text
// only -> a label alone. Value-only fields, plots, grids, headings and separators get nothing.
class CFieldBinder : public QObject {
    Q_OBJECT
public:
    explicit CFieldBinder(ks::CFieldList& fields, QObject* parent = nullptr);

    ks::CFieldList& fields() { return m_fields; }

    // Checks what the user entered in an edit box before the field takes it: the check stores
    // the value itself and returns true, or refuses it (false): the field keeps its value, the
    // box shows it again and no fieldEdited follows. With a check set, edit boxes only
    // reformat what was typed and leave the range to the check, so an entry outside the
    // limits is never put back into them silently.
    using EntryCheck = std::function<bool(ks::CField& field, const std::string& entry)>;
    void setEntryCheck(EntryCheck check);

    // Where the controls send their notifications (their parent widget when none is set).
    void setNotifyTarget(QObject* target);
    QObject* notifyTarget() const { return m_target; }

    // Creates the widgets of field `id` as children of `parent` and shows the field in them.
    // An unknown id, or a field that is already bound, gives empty widgets.
    FieldWidgets bind(int id, QWidget* parent);
    // The widgets of a bound field; empty when it is not bound.
    FieldWidgets widgets(int id) const;

    // Shows every bound field (or one) in its widgets again.
    void refresh();
    void refresh(int id);
    // Texts in another language: fields and widgets (a choice list keeps its entry).
    void setLanguage(int language);

signals:
    // The user changed the value of field `id`; the field already holds it.
    void fieldEdited(int id);

private:
    // Widgets may go before the binder (their dialog closes first): held as guarded pointers.
    struct Binding {
        ks::CField* field = nullptr;
        QPointer<QLabel> label;
        QPointer<QWidget> value;
        QPointer<QLabel> unit;
        QPointer<QGroupBox> group;

        FieldWidgets widgets() const { return {label, value, unit, group}; }
    };

    void show(Binding& binding);
    void showValue(const ks::CField& field, QWidget* value);
    void connectValue(ks::CField& field, QWidget* value);
    ks::EditBoxRules editRulesOf(const ks::CField& field) const;

    ks::CFieldList& m_fields;
    std::map<const ks::CField*, Binding> m_bindings;
    QPointer<QObject> m_target;
    EntryCheck m_check;
};

} // namespace ks::gui
