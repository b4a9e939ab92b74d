#include "controls/CDialogTemplate.h"

#include "controls/CButtonKS.h"
#include "controls/CTabHost.h"
#include "controls/LanguageText.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ks::gui {

CDialogTemplate::CDialogTemplate(const std::vector<TemplateEntry>& table, ks::CFieldList& fields,
                                 QWidget* parent)
    : QWidget(parent), m_binder(fields, this) {
    m_binder.setNotifyTarget(parent != nullptr ? static_cast<QObject*>(parent) : this);
    m_outer = new QVBoxLayout(this);
    build(table);
}

void CDialogTemplate::build(const std::vector<TemplateEntry>& table) {
    const int language = m_binder.fields().language();
    for (const TemplateEntry& entry : table) {
        switch (entry.item) {
        case TemplateItem::Page: {
            if (m_tabs == nullptr) {
                m_tabs = new CTabHost(this);
                m_tabs->setLanguage(language);
                m_outer->addWidget(m_tabs);
            }
            m_surface = new QWidget;
            m_pages.append(m_surface);
            m_tabs->addPage(m_surface, entry.text);
            m_columns = new QHBoxLayout(m_surface);
            m_column = nullptr;
            m_grid = nullptr;
            break;
        }
        case TemplateItem::Column:
            currentColumn(); // makes sure there is a surface
            m_column = new QVBoxLayout;
            m_columns->addLayout(m_column);
            m_grid = nullptr;
            break;
        case TemplateItem::Group: {
            QVBoxLayout* column = currentColumn();
            QGroupBox* box = nullptr;
            const ks::CField* field = m_binder.fields().find(entry.id);
            if (field != nullptr && field->isGroupBox())
                box = m_binder.bind(entry.id, m_surface).group;
            if (box == nullptr) {
                box = new QGroupBox(languageText(entry.text, language), m_surface);
                m_fixedGroups.insert(box, entry.text);
            }
            column->addWidget(box);
            m_grid = new QGridLayout(box);
            m_gridOwner = box;
            break;
        }
        case TemplateItem::End:
            m_grid = nullptr;
            break;
        case TemplateItem::Field:
            addRow(entry.id);
            break;
        case TemplateItem::Button: {
            if (m_buttonRow == nullptr) {
                m_buttonRow = new QHBoxLayout;
                m_buttonRow->addStretch();
            }
            auto* button = new CButtonKS(QIcon(), languageText(entry.text, language), this);
            button->setObjectName(QStringLiteral("button_%1").arg(entry.id));
            button->owner().setOwnerId(entry.id);
            button->owner().setNotifyTarget(m_binder.notifyTarget());
            m_buttonRow->addWidget(button);
            m_buttons.insert(entry.id, button);
            m_buttonTexts.insert(button, entry.text);
            break;
        }
        case TemplateItem::Stretch:
            currentColumn()->addStretch();
            break;
        }
    }
    // Groups gather at the top of their columns.
    if (m_tabs != nullptr) {
        for (QWidget* page : m_pages)
            if (auto* columns = qobject_cast<QHBoxLayout*>(page->layout()))
                for (int i = 0; i < columns->count(); ++i)
                    if (auto* column = qobject_cast<QVBoxLayout*>(columns->itemAt(i)->layout()))
                        column->addStretch();
    } else if (m_columns != nullptr) {
        for (int i = 0; i < m_columns->count(); ++i)
            if (auto* column = qobject_cast<QVBoxLayout*>(m_columns->itemAt(i)->layout()))
                column->addStretch();
    }
    if (m_buttonRow != nullptr)
        m_outer->addLayout(m_buttonRow);
}

QVBoxLayout* CDialogTemplate::currentColumn() {
    if (m_surface == nullptr) {
        m_surface = new QWidget(this);
        m_outer->addWidget(m_surface);
        m_columns = new QHBoxLayout(m_surface);
        m_columns->setContentsMargins(0, 0, 0, 0);
    }
    if (m_column == nullptr) {
        m_column = new QVBoxLayout;
        m_columns->addLayout(m_column);
    }
    return m_column;
}

QGridLayout* CDialogTemplate::currentGrid() {
    if (m_grid == nullptr) {
        QVBoxLayout* column = currentColumn();
        m_grid = new QGridLayout;
        column->addLayout(m_grid);
        m_gridOwner = m_surface;
    }
    return m_grid;
}

void CDialogTemplate::addRow(int id) {
    QGridLayout* grid = currentGrid();
    const FieldWidgets w = m_binder.bind(id, m_gridOwner);
    if (w.label == nullptr && w.value == nullptr && w.unit == nullptr && w.group == nullptr)
        return;
    int& row = m_rows[grid];
    if (w.group != nullptr) {
        // A group-box field met as a row: it takes the whole row.
        grid->addWidget(w.group, row, 0, 1, 3);
    } else {
        // A label without a value control (a text-only row) may use the value's room.
        const int labelSpan = w.value != nullptr ? 1 : (w.unit != nullptr ? 2 : 3);
        if (w.label != nullptr)
            grid->addWidget(w.label, row, 0, 1, labelSpan);
        if (w.value != nullptr)
            grid->addWidget(w.value, row, 1);
        if (w.unit != nullptr)
            grid->addWidget(w.unit, row, 2);
    }
    grid->setColumnStretch(1, 1);
    ++row;
}

void CDialogTemplate::setNotifyTarget(QObject* target) {
    m_binder.setNotifyTarget(target);
    for (CButtonKS* button : std::as_const(m_buttons))
        button->owner().setNotifyTarget(target);
}

void CDialogTemplate::setLanguage(int language) {
    m_binder.setLanguage(language);
    if (m_tabs != nullptr)
        m_tabs->setLanguage(language);
    for (auto it = m_fixedGroups.cbegin(); it != m_fixedGroups.cend(); ++it)
        it.key()->setTitle(languageText(it.value(), language));
    for (auto it = m_buttonTexts.cbegin(); it != m_buttonTexts.cend(); ++it)
        it.key()->setText(languageText(it.value(), language));
}

QWidget* CDialogTemplate::page(int index) const {
    return index >= 0 && index < m_pages.size() ? m_pages.at(index) : nullptr;
}

} // namespace ks::gui
