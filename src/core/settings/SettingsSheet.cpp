#include "settings/SettingsSheet.h"

#include "framework/FieldFormat.h"
#include "framework/IdentificationFields.h"
#include "framework/ValueType.h"
#include "i18n/TextTable.h"
#include "settings/SettingsIds.h"

#include <cmath>
#include <cstdio>
#include <sstream>

namespace ks {

CSettingsSheet::CSettingsSheet(SheetContext context, int language)
    : m_own(std::make_unique<CFieldList>()), m_fields(*m_own), m_rules(m_fields, context),
      m_blocks(m_fields) {
    m_fields.setLanguage(language);
    m_pages = registerSheetFieldList(m_fields);
    m_fields.resetToDefaults();
}

CSettingsSheet::CSettingsSheet(CFieldList& dialogFields, SheetContext context, int language)
    : m_fields(dialogFields), m_rules(m_fields, context), m_blocks(m_fields) {
    m_fields.setLanguage(language);
    m_pages = registerSheetRows(m_fields);
    m_fields.resetToDefaults();
}

void CSettingsSheet::setLanguage(int language) {
    m_fields.setLanguage(language);
    refresh();
}

int CSettingsSheet::readFromMeter(CBlockExchange& meter) {
    for (int block : sheetReadOrder()) {
        const int r = meter.readBlock(block);
        if (r != 0)
            return r;
    }
    syncIdentification();
    m_rules.valuesLoaded();
    refresh();
    return 0;
}

void CSettingsSheet::syncIdentification() {
    namespace ic = identcontrol;
    namespace sp = settings::special;
    auto copy = [this](int from, int to) {
        const CField* a = m_fields.find(from);
        CField* b = m_fields.find(to);
        if (a && b)
            b->setText(std::to_string(static_cast<long long>(a->number())));
    };
    copy(sp::kSerialWeek, ic::kSerialWeek);
    copy(sp::kSerialYear, ic::kSerialYear);
    copy(sp::kSerialNumber, ic::kSerialUnit);
    const CField* firmware = m_fields.find(settings::id::kFirmware);
    if (CField* f = m_fields.find(ic::kFirmware); f && firmware)
        f->setText(firmware->text());
}

void CSettingsSheet::loadDefaults() {
    m_fields.resetToDefaults();
    m_rules.valuesLoaded();
    refresh();
}

std::string fieldKey(const CField& field) {
    if (field.block() < 0 || field.offset() < 0)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%x:%d", static_cast<unsigned>(field.block()), field.offset());
    std::string key = buf;
    const int bit = bitOfType(field.type());
    if (bit >= 0)
        key += "." + std::to_string(bit);
    return key;
}

CField* findByKey(CFieldList& fields, const std::string& key) {
    std::string wanted = key;
    for (char& c : wanted)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (CField& f : fields)
        if ((f.kind() & FieldKind::kValueControls) != 0 && fieldKey(f) == wanted)
            return &f;
    return nullptr;
}

namespace {

std::string limitText(const CField& f, double v) {
    return formatFieldNumber(f.format(), v);
}

} // namespace

int setFieldFromText(CField& field, const std::string& text, std::string& error) {
    if (field.isList()) {
        const auto choices = field.choices().shownEntries();
        for (const ChoiceEntry& e : choices)
            if (e.text == text) {
                field.setListIndex(e.index);
                return 0;
            }
        const auto n = parseLeadingNumber(text);
        if (n && std::floor(*n) == *n && field.choices().offers(static_cast<int>(*n))) {
            field.setListIndex(static_cast<int>(*n));
            return 0;
        }
        error = field.label() + ": \"" + text + "\" (";
        for (std::size_t i = 0; i < choices.size(); ++i)
            error += (i ? ", " : "") + choices[i].text;
        error += ")";
        return -1;
    }
    if (isTextType(field.type()) || field.format() == "%s") {
        const auto max = static_cast<std::size_t>(field.maximum());
        if (text.size() > max) {
            error = field.label() + ": " + std::to_string(max) + " max";
            return -1;
        }
        field.setText(text);
        return 0;
    }
    const auto n = parseLeadingNumber(text);
    const bool ranged = field.maximum() > field.minimum();
    if (!n || (ranged && (*n < field.minimum() || *n > field.maximum()))) {
        error = field.label() + ": \"" + text + "\" [" + limitText(field, field.minimum()) +
                " .. " + limitText(field, field.maximum()) + "]";
        return -1;
    }
    field.setNumber(*n);
    return 0;
}

std::vector<SheetViewPage> sheetView(const CSettingsSheet& sheet) {
    CTextTable texts;
    const CFieldList& fields = sheet.fields();
    std::vector<SheetViewPage> pages;
    for (std::size_t p = 0; p < sheet.pages().size(); ++p) {
        const SheetPage& range = sheet.pages()[p];
        const int title =
            p + 1 == sheet.pages().size() ? sheet.rules().outputsPageTitle() : range.title;
        SheetViewPage page{texts.text(title, fields.language()), {}};
        bool groupShown = true;
        for (std::size_t i = range.first; i < range.end; ++i) {
            const CField& f = fields[i];
            if (f.isGroupBox()) {
                groupShown = f.isShown();
                if (groupShown)
                    page.groups.push_back({f.label(), {}});
                continue;
            }
            if ((f.kind() & FieldKind::kValueControls) == 0 || !f.isShown() || f.isValueOnly() ||
                !groupShown || !f.hasLabel())
                continue;
            if (page.groups.empty())
                page.groups.push_back({});
            page.groups.back().lines.push_back({fieldKey(f), f.label(), f.shownText(), f.unit()});
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace ks
