#include "framework/PrintLines.h"

#include "framework/IdentificationFields.h"
#include "i18n/TextLimits.h"

#include <gtest/gtest.h>

using namespace ks;

namespace {

constexpr int kGeneral = 146;       // "Général" / "General"
constexpr int kDiameterLabel = 102; // "Diamètre Ext."
constexpr int kMillimetres = 186;
constexpr int kMaterialLabel = 168;
constexpr int kMaterialList = 34;

TEST(PrintLines, ShowWhatAReaderSeesInTheFieldsLanguage) {
    CFieldList list;
    registerIdentificationFields(list); // no captions: not printed
    list.add({.id = 0, .label = kGeneral, .kind = FieldKind::kHeading});
    list.add({.id = 1010,
              .label = kDiameterLabel,
              .unit = kMillimetres,
              .kind = FieldKind::kEdit,
              .value = "27.9",
              .format = "%0.1f"});
    list.add({.id = 1020,
              .label = kMaterialLabel,
              .list = kMaterialList,
              .kind = FieldKind::kList,
              .value = "1"});
    list.add({.id = 1030, .label = kDiameterLabel, .kind = FieldKind::kEdit, .value = "1"});
    list.add({.id = 0, .kind = FieldKind::kSeparator});
    list.add({.id = 1040,
              .flags = FieldFlag::kValueOnly,
              .label = kDiameterLabel,
              .kind = FieldKind::kEdit,
              .value = "2"});
    list.find(1030)->show(false);
    list.setLanguage(kLanguageEnglish);

    const std::vector<PrintLine> lines = fieldPrintLines(list);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (PrintLine{PrintLine::Kind::Heading, "General", {}}));
    EXPECT_EQ(lines[1].kind, PrintLine::Kind::Field);
    EXPECT_EQ(lines[1].caption, list.find(1010)->label());
    EXPECT_EQ(lines[1].value, "27.9 " + list.find(1010)->unit());
    EXPECT_EQ(lines[2].value, list.find(1020)->listTexts().at(1));
    EXPECT_EQ(lines[3].kind, PrintLine::Kind::Separator);
}

} // namespace
