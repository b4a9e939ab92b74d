#include "controls/CFieldBinder.h"

#include "controls/CComboKS.h"
#include "controls/CEditKS.h"
#include "controls/CListDisplay.h"

#include <QGroupBox>
#include <QLabel>

namespace ks::gui {

namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

QStringList toQt(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

CControlOwner* ownerOf(QWidget* value) {
    if (auto* edit = qobject_cast<CEditKS*>(value))
        return &edit->owner();
    if (auto* combo = qobject_cast<CComboKS*>(value))
        return &combo->owner();
    return nullptr;
}

QString objectNameOf(const ks::CField& field, const char* part) {
    return QStringLiteral("field_%1_%2").arg(field.id()).arg(QLatin1String(part));
}

} // namespace

CFieldBinder::CFieldBinder(ks::CFieldList& fields, QObject* parent)
    : QObject(parent), m_fields(fields) {}

ks::EditBoxRules CFieldBinder::editRulesOf(const ks::CField& field) const {
    ks::EditBoxRules rules;
    rules.format = field.format();
    // A field that is not clamped gets no range, nor one whose entries a check judges; a text
    // keeps its length in the maximum.
    const bool text = field.format().ends_with('s');
    if (text || (field.isClamped() && !m_check)) {
        rules.minimum = field.minimum();
        rules.maximum = field.maximum();
    }
    return rules;
}

void CFieldBinder::setEntryCheck(EntryCheck check) {
    m_check = std::move(check);
    refresh();
}

void CFieldBinder::setNotifyTarget(QObject* target) {
    m_target = target;
    for (auto& [field, binding] : m_bindings)
        if (CControlOwner* owner = ownerOf(binding.value))
            owner->setNotifyTarget(target);
}

FieldWidgets CFieldBinder::bind(int id, QWidget* parent) {
    ks::CField* field = m_fields.find(id);
    if (field == nullptr || field->isValueOnly() || m_bindings.count(field) != 0)
        return {};
    FieldWidgets w;
    if (field->isGroupBox()) {
        w.group = new QGroupBox(parent);
        w.group->setObjectName(objectNameOf(*field, "group"));
    } else {
        if (field->hasLabel()) {
            w.label = new QLabel(parent);
            w.label->setObjectName(objectNameOf(*field, "label"));
        }
        if (field->isList()) {
            w.value = new CComboKS(parent);
        } else if (field->isEdit() || field->isNumeric()) {
            auto* edit = new CEditKS(parent);
            edit->setRules(editRulesOf(*field));
            w.value = edit;
        } else if (field->isListDisplay()) {
            w.value = new CListDisplay(parent);
        } else if (field->isDisplay()) {
            auto* display = new QLabel(parent);
            display->setTextInteractionFlags(Qt::TextSelectableByMouse);
            w.value = display;
        }
        if (w.value != nullptr) {
            w.value->setObjectName(objectNameOf(*field, "value"));
            connectValue(*field, w.value);
        }
        if (field->hasUnit()) {
            w.unit = new QLabel(parent);
            w.unit->setObjectName(objectNameOf(*field, "unit"));
        }
    }
    if (w.label != nullptr && w.value != nullptr)
        w.label->setBuddy(w.value);
    Binding& binding = m_bindings[field];
    binding.field = field;
    binding.label = w.label;
    binding.value = w.value;
    binding.unit = w.unit;
    binding.group = w.group;
    show(binding);
    return w;
}

void CFieldBinder::connectValue(ks::CField& field, QWidget* value) {
    ks::CField* model = &field;
    const int id = field.id();
    if (CControlOwner* owner = ownerOf(value)) {
        owner->setOwnerId(id);
        if (m_target)
            owner->setNotifyTarget(m_target);
    }
    if (auto* edit = qobject_cast<CEditKS*>(value)) {
        connect(edit, &CEditKS::edited, this, [this, model, id](const QString& text) {
            if (m_check) {
                if (!m_check(*model, text.toStdString())) {
                    refresh(id); // the box shows the value the field kept
                    return;
                }
            } else {
                model->setText(text.toStdString());
            }
            emit fieldEdited(id);
        });
    } else if (auto* combo = qobject_cast<CComboKS*>(value)) {
        connect(combo, &CComboKS::listIndexChosen, this, [this, model, id](int index) {
            model->setListIndex(index);
            emit fieldEdited(id);
        });
    }
}

FieldWidgets CFieldBinder::widgets(int id) const {
    const ks::CField* field = m_fields.find(id);
    const auto it = field ? m_bindings.find(field) : m_bindings.end();
    return it == m_bindings.end() ? FieldWidgets{} : it->second.widgets();
}

void CFieldBinder::refresh() {
    for (auto& [field, binding] : m_bindings)
        show(binding);
}

void CFieldBinder::refresh(int id) {
    const ks::CField* field = m_fields.find(id);
    const auto it = field ? m_bindings.find(field) : m_bindings.end();
    if (it != m_bindings.end())
        show(it->second);
}

void CFieldBinder::setLanguage(int language) {
    m_fields.setLanguage(language);
    refresh();
}

void CFieldBinder::show(Binding& binding) {
    const ks::CField& field = *binding.field;
    const FieldWidgets w = binding.widgets();
    const bool hidden = !field.isShown();
    const bool enabled = !field.isDisabled();
    if (w.group != nullptr) {
        w.group->setTitle(toQt(field.label()));
        w.group->setHidden(hidden);
        w.group->setEnabled(enabled);
    }
    if (w.label != nullptr) {
        w.label->setText(toQt(field.label()));
        w.label->setHidden(hidden);
        w.label->setEnabled(enabled);
    }
    if (w.unit != nullptr) {
        w.unit->setText(toQt(field.unit()));
        w.unit->setHidden(hidden);
        w.unit->setEnabled(enabled);
    }
    if (w.value != nullptr) {
        if (auto* edit = qobject_cast<CEditKS*>(w.value))
            edit->setRules(editRulesOf(field));
        showValue(field, w.value);
        w.value->setHidden(hidden);
        w.value->setEnabled(enabled && !field.isValueControlDisabled());
    }
}

void CFieldBinder::showValue(const ks::CField& field, QWidget* value) {
    if (auto* combo = qobject_cast<CComboKS*>(value)) {
        const ks::CChoiceList choices = field.choices();
        if (choices.entries() != combo->choices().entries())
            combo->setChoices(choices);
        combo->setListIndex(field.listIndex());
    } else if (auto* edit = qobject_cast<CEditKS*>(value)) {
        edit->setValueText(toQt(field.text()));
    } else if (auto* list = qobject_cast<CListDisplay*>(value)) {
        list->setList(toQt(field.listTexts()));
        list->setIndex(field.listIndex());
    } else if (auto* label = qobject_cast<QLabel*>(value)) {
        label->setText(toQt(field.text()));
    }
}

} // namespace ks::gui
