#include "framework/Field.h"

#include "i18n/TextLimits.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace ks;

namespace {

constexpr int kMaterialList = 34;    // "Autre", "Nylon", ... 14 pipe materials
constexpr int kApplicationList = 47; // "*", "Monocorde", "Bicorde", "Biconduite"
constexpr int kDiameterLabel = 102;  // "Diamètre Ext."
constexpr int kMillimetres = 186;

struct SetNumberCase {
    const char* what;
    unsigned kind;
    double minimum;
    double maximum;
    const char* format;
    double value;
    const char* text;
    int type = 0x0300;
};

void PrintTo(const SetNumberCase& c, std::ostream* os) {
    *os << c.what;
}

const SetNumberCase kSetNumberCases[] = {
    {"above the maximum", FieldKind::kEdit, -99999.9, 99999.9, "%0.1f", 1e9, "99999.9"},
    {"below the minimum", FieldKind::kEdit, -99999.9, 99999.9, "%0.1f", -1e9, "-99999.9"},
    {"inside the range", FieldKind::kEdit, 10, 3300, "%0.1f", 27.94, "27.9"},
    {"not clamped", FieldKind::kEdit | FieldKind::kNoClamp, -99999.9, 99999.9, "%0.1f", 1e9,
     "1000000000.0"},
    {"no range when equal", FieldKind::kEdit, 0, 0, "%0.1f", 5000, "5000.0"},
    {"no range when reversed", FieldKind::kEdit, 10, 5, "%0.f", 1, "1"},
    {"auto digits", FieldKind::kDisplay, 0, 0, "auto4", 1234.5, "1235"},
    {"auto digits clamped first", FieldKind::kDisplay, 0, 100, "auto4", 1234.5, "100.0"},
    {"hexadecimal", FieldKind::kEdit, 0, 65535, "%04h", 255, "0x00FF"},
    {"integer", FieldKind::kDisplay, 0, 0, "%0.l", 2.6, "3"},
    {"date-time type shows text", FieldKind::kDisplay, 0, 0, "%0.1f", 2.5, "2.5", 0x5000},
};

class FieldSetNumber : public testing::TestWithParam<SetNumberCase> {};

TEST_P(FieldSetNumber, ClampsAndFormats) {
    const SetNumberCase& c = GetParam();
    CField field({.id = 1000,
                  .kind = c.kind,
                  .minimum = c.minimum,
                  .maximum = c.maximum,
                  .format = c.format,
                  .type = c.type});
    EXPECT_EQ(field.setNumber(c.value), 0);
    EXPECT_EQ(field.text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldSetNumber, testing::ValuesIn(kSetNumberCases));

struct ResolveCase {
    unsigned kind;
    int type;
    const char* registered;
    const char* used;
};

TEST(FieldFormat, IsReplacedByKindAndType) {
    using K = FieldKind;
    const ResolveCase cases[] = {
        {K::kEdit, 0x0300, "%0.1f", "%0.1f"},
        {K::kEdit, 0x0500, "%s", "%s"},
        {K::kEdit, 0x9003, "%0.f", "%0.f"},
        {K::kEdit, 0x5000, "%0.1f", "%s"},
        {K::kDisplay, 0x6000, "%0.f", "%s"},
        {K::kDisplay, 0x7000, "", "%s"},
        {K::kEdit, 0xC000, "%0.f", "%s"},
        {K::kDisplay, 0xD000, "%f", "%s"},
        {K::kGrid, 0, "%d", "%s"},
        {K::kGroup, 0, "%d", "%s"},
        {K::kSeparator, 0, "%d", "%s"},
        {K::kSeparator2, 0, "%d", "%s"},
        {K::kTextOnly, 0, "%d", "%s"},
        {K::kHeading, 0, "%d", "%s"},
        {K::kPageGroup, 0, "%d", "%s"},
        {K::kHeading | K::kEdit, 0x0300, "%0.1f", "%0.1f"},
        {K::kDisplay, 0x0100, "", "%s"},
        {K::kDisplay, 0x0100, "%0.l", "%0.l"},
        {K::kList, 0x0100, "%0.f", "%c"},
        {K::kList | K::kSorted, 0x0100, "", "%c"},
        {0, 0, "%d", "%rien%"},
    };
    for (const ResolveCase& c : cases) {
        EXPECT_EQ(resolveFieldFormat(c.kind, c.type, c.registered), c.used)
            << "kind 0x" << std::hex << c.kind << " type 0x" << c.type;
        CField field({.kind = c.kind, .format = c.registered, .type = c.type});
        EXPECT_EQ(field.format(), c.used);
    }
}

TEST(Field, ValueOnlyFieldKeepsItsTextAndParsesIt) {
    CField field({.id = 1500,
                  .flags = FieldFlag::kValueOnly,
                  .kind = FieldKind::kEdit,
                  .value = "3",
                  .format = "%0.f",
                  .type = 0x0100,
                  .offset = 49,
                  .block = 0x1100});
    EXPECT_EQ(field.text(), "3");
    EXPECT_DOUBLE_EQ(field.number(), 3);
    field.setText("12.5 cycles");
    EXPECT_EQ(field.text(), "12.5 cycles");
    EXPECT_DOUBLE_EQ(field.number(), 12.5);
    field.setText("none");
    EXPECT_DOUBLE_EQ(field.number(), 0);
    field.resetToDefault();
    EXPECT_EQ(field.text(), "3");
}

TEST(Field, HexadecimalTextReadsBack) {
    CField field({.kind = FieldKind::kEdit, .maximum = 65535, .format = "%04h"});
    field.setNumber(4660);
    EXPECT_EQ(field.text(), "0x1234");
    EXPECT_DOUBLE_EQ(field.number(), 4660);
}

TEST(Field, ListWithMinimumStoresTheFullListIndex) {
    CField field({.id = 1700,
                  .list = kApplicationList,
                  .kind = FieldKind::kList,
                  .value = "1",
                  .minimum = 1});
    const auto shown = field.choices().shownEntries();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], (ChoiceEntry{1, true, "Monocorde"}));
    EXPECT_EQ(shown[2], (ChoiceEntry{3, true, "Biconduite"}));
    EXPECT_EQ(field.choices().indexAt(1), 2);

    EXPECT_EQ(field.setListIndex(0), -1) << "the dropped entry is refused";
    EXPECT_EQ(field.listIndex(), 1);
    EXPECT_EQ(field.setListIndex(4), -1);
    EXPECT_EQ(field.setListIndex(3), 0);
    EXPECT_EQ(field.listIndex(), 3);
    EXPECT_DOUBLE_EQ(field.number(), 3);
    EXPECT_EQ(field.shownText(), "Biconduite");
    // A number set into a list is an entry index, never clamped to minimum and maximum.
    EXPECT_EQ(field.setNumber(2), 0);
    EXPECT_EQ(field.text(), "2");
    EXPECT_EQ(field.setNumber(0), -1);
    EXPECT_EQ(field.text(), "2");
}

TEST(Field, ListMaximumKeepsThatManyEntries) {
    CField field({.kind = FieldKind::kList, .minimum = 1, .maximum = 2});
    field.setList({"A", "B", "C", "D", "E"});
    const auto shown = field.choices().shownEntries();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].index, 1);
    EXPECT_EQ(shown[1].index, 2);
    EXPECT_EQ(field.setListIndex(3), -1);
    field.hideChoice(2, true);
    EXPECT_EQ(field.choices().shownCount(), 1);
    EXPECT_EQ(field.setListIndex(2), -1);
    field.hideChoice(2, false);
    EXPECT_EQ(field.setListIndex(2), 0);
}

TEST(Field, ListWithoutEntriesTakesAnyIndex) {
    CField field({.kind = FieldKind::kList});
    EXPECT_EQ(field.setListIndex(7), 0);
    EXPECT_EQ(field.listIndex(), 7);
    EXPECT_EQ(field.setListIndex(-1), -1);
    field.setText("");
    EXPECT_EQ(field.listIndex(), -1);
}

TEST(Field, ListDisplayShowsTheEntryOfItsIndex) {
    CField field(
        {.list = kMaterialList, .kind = FieldKind::kDisplay, .value = "7", .format = "%0.l"});
    ASSERT_TRUE(field.isListDisplay());
    EXPECT_EQ(field.shownText(), "Cuivre");
    EXPECT_EQ(field.setListIndex(14), -1);
    EXPECT_EQ(field.setListIndex(0), 0);
    EXPECT_EQ(field.shownText(), "Autre");
    field.setLanguage(kLanguageEnglish);
    EXPECT_EQ(field.shownText(), "Other");
}

// The material list sorted in three languages: shown alphabetically, storing the list index.
TEST(Field, SortedMaterialListStoresTheListIndex) {
    CField field({.id = 1400,
                  .list = kMaterialList,
                  .kind = FieldKind::kList | FieldKind::kSorted,
                  .value = "7"});
    auto textsOf = [](const CChoiceList& list) {
        std::vector<std::string> texts;
        for (const ChoiceEntry& e : list.shownEntries())
            texts.push_back(e.text);
        return texts;
    };
    EXPECT_EQ(
        textsOf(field.choices()),
        (std::vector<std::string>{"Acier", "Aluminium", "Autre", "Cuivre", "Fibrociment", "Fonte",
                                  "Fonte Grise", "Inox", "Nylon", "Plexi", "Polyethy.", "Pvc",
                                  "T\xC3\xA9"
                                  "flon",
                                  "Verre"}));
    EXPECT_EQ(field.choices().positionOf(7), 3);
    EXPECT_EQ(field.choices().indexAt(0), 11);
    EXPECT_EQ(field.setListIndex(field.choices().indexAt(4)), 0);
    EXPECT_EQ(field.text(), "13");
    EXPECT_EQ(field.shownText(), "Fibrociment");

    field.setLanguage(kLanguageEnglish);
    EXPECT_EQ(field.shownText(), "Asbestos");
    EXPECT_EQ(field.choices().positionOf(13), 1);
    const auto english = textsOf(field.choices());
    EXPECT_EQ(english.front(), "Aluminium");
    EXPECT_EQ(english[12], "St. Steel");
    EXPECT_EQ(english[13], "Steel");

    // Accents do not push an entry to the end: "Aço" comes before "Alumínio".
    field.setLanguage(kLanguagePortuguese);
    const auto portuguese = textsOf(field.choices());
    EXPECT_EQ(portuguese[0], "A\xC3\xA7o");
    EXPECT_EQ(portuguese[1], "Alum\xC3\xADnio");
    EXPECT_EQ(field.choices().indexAt(0), 11);
}

TEST(Field, TextsFollowTheLanguageUnlessFixed) {
    CField field(
        {.id = 1010, .label = kDiameterLabel, .unit = kMillimetres, .kind = FieldKind::kEdit});
    EXPECT_TRUE(field.hasLabel());
    EXPECT_EQ(field.label(), "Diam\xC3\xA8tre Ext.");
    EXPECT_EQ(field.unit(), "mm");
    field.setLanguage(kLanguageEnglish);
    EXPECT_EQ(field.label(), "Outer Diam.");

    field.setUnitText("m/s");
    field.setLabelText("Seuil");
    field.setLanguage(kLanguageGerman);
    EXPECT_EQ(field.label(), "Seuil");
    EXPECT_EQ(field.unit(), "m/s");
    field.setLabelTextId(142); // "Gain"
    EXPECT_EQ(field.label(), "Verst\xC3\xA4rkung");
    field.clearUnitText();
    EXPECT_EQ(field.unit(), "mm");

    CField bare({.id = 1020, .kind = FieldKind::kEdit});
    EXPECT_FALSE(bare.hasLabel());
    EXPECT_FALSE(bare.hasUnit());
    EXPECT_EQ(bare.label(), "");
}

TEST(Field, FlagsShowEnableExclude) {
    CField field({.id = 1010, .flags = FieldFlag::kHidden, .kind = FieldKind::kEdit});
    EXPECT_FALSE(field.isShown());
    field.show(true);
    EXPECT_TRUE(field.isShown());
    field.exclude(true);
    EXPECT_FALSE(field.isShown());
    EXPECT_FALSE(field.isHidden());
    field.enable(false);
    field.enableValueControl(false);
    EXPECT_EQ(field.flags(),
              FieldFlag::kExcluded | FieldFlag::kDisabled | FieldFlag::kValueDisabled);
    field.enable(true);
    field.exclude(false);
    EXPECT_EQ(field.flags(), FieldFlag::kValueDisabled);
}

TEST(Field, TakesPartInItsBlockOnlyWithAValueControl) {
    CField edit({.kind = FieldKind::kEdit, .offset = 0, .block = 0x1100});
    EXPECT_TRUE(edit.isInBlock(0x1100));
    EXPECT_FALSE(edit.isInBlock(0x2200));
    CField group({.id = 1545, .kind = FieldKind::kGroup, .offset = 0, .block = 0x1100});
    EXPECT_FALSE(group.isInBlock(0x1100));
    EXPECT_TRUE(group.isGroupBox());
    CField outside({.kind = FieldKind::kList, .offset = -1, .block = 0x1100});
    EXPECT_FALSE(outside.isInBlock(0x1100));
    CField heading({.kind = FieldKind::kHeading});
    EXPECT_TRUE(heading.isPrintHeading());
    EXPECT_FALSE(heading.isGroupBox());
}

} // namespace
