#include "app/Version.h"

#include <gtest/gtest.h>

using namespace ks;

TEST(Version, RecordAndPrefix) {
    EXPECT_EQ(version::versionValue("InternalName"), "Calyptron KS");
    EXPECT_EQ(version::versionValue("FileVersion"), "V2 1.0.0");
    EXPECT_EQ(version::versionValue("LegalCopyright"), version::kLegalCopyright);
    EXPECT_EQ(version::versionValue("CompanyName"), "");
    EXPECT_EQ(version::versionValue("internalname"), "");
    EXPECT_EQ(version::versionPrefix(), "V2-CKS-");
    EXPECT_EQ(version::shortName(), "CalyptronKS");
}
