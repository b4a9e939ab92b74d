#pragma once

#include "framework/ChoiceList.h"
#include "framework/FieldKinds.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ks {

// What a dialog registers for one row. The members are in registration order, so a row reads
// as a designated initialiser:
//   fields.add({.id = 1010, .label = 102, .unit = 186, .kind = FieldKind::kEdit, .value = "27.9",
//               .minimum = 10, .maximum = 3300, .format = "%0.1f", .type = 0x0300, .offset = 1,
//               .block = 0x1100});
struct FieldSpec {
    int id = 0;         // control id of the label; value id + 1, unit id + 2; 0 for no control
    unsigned flags = 0; // FieldFlag bits
    int label = 0;      // text numbers in the text table, 0 for none
    int unit = 0;
    int list = 0;
    unsigned kind = 0;   // FieldKind bits
    std::string value{}; // default value text; for a list the entry index ("3")
    double minimum = 0;
    double maximum = 0;
    std::string format{};
    int type = 0;    // value type in the register image
    int offset = -1; // byte offset in the block, negative when not in a block
    int block = -1;  // block code, -1 for none
};

// The display format a field really uses, from the registered one: "%s" for the date-time
// and BCD types (0x5000, 0x6000, 0x7000, 0xC000, 0xD000), for grids, group boxes, separators,
// text-only rows, and read-only displays registered without a format; "%c" for choice lists;
// "%rien%" for rows of kind 0; the registered format otherwise.
std::string resolveFieldFormat(unsigned kind, int type, std::string_view registered);

// One meter setting or measurement bound to the label, value and unit of a dialog: the model
// of a row. It holds the value as text, knows how to show a number by its display format and
// where the value lives in the register image (type, offset, block: coded by the field list).
// Texts (label, unit, list entries) come from the text table in the field's language.
class CField {
public:
    CField() = default;
    explicit CField(const FieldSpec& spec);

    // Registration data.
    int id() const { return m_id; }
    unsigned kind() const { return m_kind; }
    int labelTextId() const { return m_labelId; }
    int unitTextId() const { return m_unitId; }
    int listTextId() const { return m_listId; }
    const std::string& defaultText() const { return m_default; }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    const std::string& format() const { return m_format; }
    int type() const { return m_type; }
    int offset() const { return m_offset; }
    int block() const { return m_block; }

    void setRange(double minimum, double maximum);
    // A new display format, replaced by kind and type as at registration.
    void setFormat(std::string_view format);

    // Kind.
    bool isList() const { return (m_kind & FieldKind::kList) != 0; }
    bool isEdit() const { return (m_kind & FieldKind::kEdit) != 0; }
    bool isNumeric() const { return (m_kind & FieldKind::kNumeric) != 0; }
    bool isDisplay() const { return (m_kind & FieldKind::kDisplay) != 0; }
    bool isSorted() const { return isList() && (m_kind & FieldKind::kSorted) != 0; }
    bool isGroupBox() const { return (m_kind & FieldKind::kGroupBoxes) != 0 && m_id != 0; }
    bool isPrintHeading() const { return m_kind == FieldKind::kHeading && m_id == 0; }
    bool isClamped() const { return (m_kind & FieldKind::kNoClamp) == 0; }
    // A read-only display whose value is an index into its list (format ending in "l").
    bool isListDisplay() const;
    // Whether the field takes part in reading and writing that block.
    bool isInBlock(int blockCode) const;

    // Flags.
    unsigned flags() const { return m_flags; }
    void setFlags(unsigned flags) { m_flags = flags; }
    bool isExcluded() const { return (m_flags & FieldFlag::kExcluded) != 0; }
    bool isValueOnly() const { return (m_flags & FieldFlag::kValueOnly) != 0; }
    bool isDisabled() const { return (m_flags & FieldFlag::kDisabled) != 0; }
    bool isHidden() const { return (m_flags & FieldFlag::kHidden) != 0; }
    bool isValueControlDisabled() const { return (m_flags & FieldFlag::kValueDisabled) != 0; }
    // Neither hidden nor excluded.
    bool isShown() const { return !isHidden() && !isExcluded(); }
    void show(bool shown) { setFlag(FieldFlag::kHidden, !shown); }
    void enable(bool enabled) { setFlag(FieldFlag::kDisabled, !enabled); }
    void exclude(bool excluded) { setFlag(FieldFlag::kExcluded, excluded); }
    void enableValueControl(bool enabled) { setFlag(FieldFlag::kValueDisabled, !enabled); }

    // Value. The text is the value as shown; numbers and list indexes are read from it.
    const std::string& text() const { return m_text; }
    void setText(std::string_view text) { m_text = text; }
    // The text read as a number: a list index for lists, hexadecimal for "h" formats, the
    // leading number otherwise (0 when the text holds none).
    double number() const;
    // Sets a number: a list field takes it as an entry index; otherwise it is held to the
    // limits (unless FieldKind::kNoClamp, and only when maximum > minimum) and printed with the
    // display format. 0, or -1 when a list refuses the index.
    int setNumber(double value);
    // The entry index a list field holds; -1 when the text is not a number.
    int listIndex() const;
    // Sets an entry index. A list field refuses (-1, value kept) an index its list does not
    // offer, a list display one outside its list; while no list is known any index >= 0 goes.
    int setListIndex(int index);
    // The text a reader sees: the entry text for lists and list displays, the value otherwise.
    std::string shownText() const;
    void resetToDefault() { m_text = m_default; }

    // Language and texts.
    int language() const { return m_language; }
    void setLanguage(int language) { m_language = language; }
    bool hasLabel() const { return m_labelId != 0 || m_labelOverride.has_value(); }
    bool hasUnit() const { return m_unitId != 0 || m_unitOverride.has_value(); }
    std::string label() const;
    std::string unit() const;
    // A new text number (follows language changes) or a fixed text (kept until cleared).
    void setLabelTextId(int number);
    void setLabelText(std::string_view text) { m_labelOverride = std::string(text); }
    void clearLabelText() { m_labelOverride.reset(); }
    void setUnitTextId(int number);
    void setUnitText(std::string_view text) { m_unitOverride = std::string(text); }
    void clearUnitText() { m_unitOverride.reset(); }

    // The full list of entries in the field's language.
    std::vector<std::string> listTexts() const;
    void setListTextId(int number);
    void setList(std::vector<std::string> entries) { m_listOverride = std::move(entries); }
    // The entries a choice list offers: minimum drops leading entries, maximum keeps that many
    // (0 = all), sorted with FieldKind::kSorted, entries hidden with hideChoice left out.
    CChoiceList choices() const;
    void hideChoice(int index, bool hidden);

private:
    void setFlag(unsigned flag, bool on) { m_flags = on ? (m_flags | flag) : (m_flags & ~flag); }
    bool acceptsIndex(int index) const;

    int m_id = 0;
    unsigned m_flags = 0;
    int m_labelId = 0;
    int m_unitId = 0;
    int m_listId = 0;
    unsigned m_kind = 0;
    std::string m_default;
    std::string m_text;
    double m_minimum = 0;
    double m_maximum = 0;
    std::string m_format;
    int m_type = 0;
    int m_offset = -1;
    int m_block = -1;
    int m_language = 1;
    std::optional<std::string> m_labelOverride;
    std::optional<std::string> m_unitOverride;
    std::optional<std::vector<std::string>> m_listOverride;
    std::set<int> m_hiddenChoices;
};

} // namespace ks
