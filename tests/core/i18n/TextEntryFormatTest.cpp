#include "i18n/TextEntryFormat.h"
#include "i18n/TextTable.h"

#include <gtest/gtest.h>

using namespace ks;

TEST(TextEntryFormat, OneStringPerLineWithBreaksWrittenOut) {
    EXPECT_EQ(formatTextEntry({}), "");
    EXPECT_EQ(formatTextEntry({""}), "\n");
    EXPECT_EQ(formatTextEntry({"", "Attente de connexion"}), "\nAttente de connexion\n");
    EXPECT_EQ(formatTextEntry({"Ligne occup\xC3\xA9"
                               "e !\nLa connexion a \xC3\xA9"
                               "chou\xC3\xA9 !"}),
              "Ligne occup\xC3\xA9"
              "e !\\nLa connexion a \xC3\xA9"
              "chou\xC3\xA9 !\n");
    EXPECT_EQ(formatTextEntry({"a\tb", "c\\d"}), "a\\tb\nc\\\\d\n");
}

TEST(TextEntryFormat, PrintsATableEntryForTranslators) {
    CTextTable table;
    EXPECT_EQ(formatTextEntry(table.lookup(122, kLanguageEnglish)),
              "Connection failed ! \\n\\nCheck the connection to the modem.\\nCheck the modem "
              "state.\\nCheck the initialization string.\n");
    EXPECT_EQ(formatTextEntry(table.lookup(38, kLanguageGerman)), "Tone\nImpuls\n");
}
