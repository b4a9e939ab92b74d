#include "framework/IdentificationFields.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"
#include "settings/TransferMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ks;
namespace id = settings::id;

// A device dialog registers the identification block before its own rows; the sheet built on
// that list must give the same list as the sheet that owns its fields, and act on it.
TEST(SheetOnDialogList, SameRowsAfterTheDialogsIdentification) {
    CSettingsSheet own({}, 2);
    CFieldList dialog;
    dialog.setLanguage(2);
    registerIdentificationFields(dialog);
    const std::size_t before = dialog.size();
    CSettingsSheet onDialog(dialog, {}, 2);

    ASSERT_EQ(dialog.size(), own.fields().size());
    EXPECT_EQ(&onDialog.fields(), &dialog);
    for (std::size_t i = 0; i < dialog.size(); ++i) {
        EXPECT_EQ(dialog[i].id(), own.fields()[i].id()) << i;
        EXPECT_EQ(dialog[i].text(), own.fields()[i].text()) << i;
        EXPECT_EQ(dialog[i].block(), own.fields()[i].block()) << i;
    }
    ASSERT_EQ(onDialog.pages().size(), 4u);
    EXPECT_GE(onDialog.pages().front().first, before);

    // The rules act on the dialog's list: one chord hides the chord count.
    onDialog.refresh();
    EXPECT_FALSE(dialog.find(id::kChords)->isShown());
    EXPECT_EQ(dialog.find(id::kChords)->language(), 2);
}

TEST(TransferMessages, NameTheFailedBlockAndThoseWritten) {
    struct Case {
        int language;
        int failed;
        std::vector<int> written;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {1, 0x1100, {0x2301}, "L'écriture du bloc 0x1100 a échoué.\nBlocs écrits : 0x2301"},
        {2,
         0x2306,
         {0x2301, 0x2200, 0x1100},
         "Writing block 0x2306 failed.\nBlocks written: 0x2301, 0x2200, 0x1100"},
        {4, 0x2301, {}, "Schreiben von Block 0x2301 fehlgeschlagen.\nGeschriebene Blöcke: keine"},
        {9, 0x1100, {}, "L'écriture du bloc 0x1100 a échoué.\nBlocs écrits : aucun"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(writeFailureMessage(c.failed, c.written, c.language), c.expected) << c.language;
}
