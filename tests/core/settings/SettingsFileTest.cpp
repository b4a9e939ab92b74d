#include "settings/SettingsFile.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsSheet.h"
#include "settings/files/RecordFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>

#include "framework/IdentificationFields.h"

using namespace ks;
namespace id = settings::id;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("ks-settings-file-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const char* name) const { return (dir / name).string(); }

    static std::string bytesOf(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void write(const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    ParameterFileResult save(CSettingsSheet& s, const std::string& p) {
        return saveParameterFile(p, "Paramétrage", s.blocks(), sheetFileOrder(),
                                 {2026, 12, 10, 9, 30, 0});
    }
    ParameterFileResult load(CSettingsSheet& s, const std::string& p) {
        return loadParameterFile(p, s.blocks(), sheetFileOrder(), id::kFirmware);
    }

    fs::path dir;
};

TEST_F(SettingsFile, SavedSheetLoadsBackWithItsFiveRecords) {
    CSettingsSheet a;
    std::string error;
    ASSERT_EQ(setFieldFromText(*a.fields().find(id::kFlowUnit), "l/s", error), 0);
    a.fields().find(id::kFirmware)->setText("V2-CKS-3.07");
    a.fields().find(settings::special::kSerialNumber)->setNumber(4321);
    a.syncIdentification();
    ASSERT_TRUE(save(a, path("a.eta")).ok());

    CRecordFile f;
    ASSERT_EQ(f.open(path("a.eta")), RecordFileStatus::Ok);
    EXPECT_EQ(f.recordCount(), 5);
    EXPECT_EQ(f.trailingCount(), 5);
    const int sizes[] = {140, 20, 18, 62, 164};
    for (int k = 0; k < 5; ++k) {
        std::vector<std::uint8_t> r;
        ASSERT_EQ(f.readRecord(k, r), 0);
        EXPECT_EQ(r.size(), static_cast<std::size_t>(sizes[k])) << k;
    }
    EXPECT_EQ(f.header().text.rfind("Paramétrage\nCalyptron KS\n4278058235\n", 0), 0u);

    CSettingsSheet b;
    ASSERT_TRUE(load(b, path("a.eta")).ok());
    for (int block : sheetFileOrder())
        EXPECT_EQ(b.blocks().encodeBlock(block), a.blocks().encodeBlock(block)) << block;
    EXPECT_EQ(b.fields().find(id::kFlowUnit)->shownText(), "l/s");
    EXPECT_EQ(identificationOf(b.fields()).serialUnit, 4321);
    EXPECT_EQ(identificationOf(b.fields()).firmware, "V2-CKS-3.07");
}

TEST_F(SettingsFile, BadFilesAreRefusedAndChangeNothing) {
    CSettingsSheet good;
    ASSERT_TRUE(save(good, path("good.eta")).ok());
    const std::string sound = bytesOf(path("good.eta"));

    std::string bigHeader = sound;
    bigHeader[0] = static_cast<char>(0xD1); // H = 2001
    bigHeader[1] = 0x07;
    std::string badDate = sound;
    badDate[16] = '\n'; // a date line of 10 characters
    std::mt19937 random(7);
    std::string noise(600, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    // A record of the wrong length: the factory block written as 30 registers.
    CRecordFile shortRecord;
    ASSERT_EQ(shortRecord.create(path("short.eta"), std::string(8, '\n'), {2026, 1, 2, 3, 4, 5}),
              RecordFileStatus::Ok);
    for (std::size_t n : {140u, 20u, 18u, 60u, 164u})
        ASSERT_EQ(shortRecord.append(std::vector<std::uint8_t>(n, 1)), 0);
    shortRecord.close();
    CRecordFile headerOnly;
    ASSERT_EQ(headerOnly.create(path("empty.eta"), std::string(8, '\n'), {2026, 1, 2, 3, 4, 5}),
              RecordFileStatus::Ok);
    headerOnly.close();

    struct Case {
        const char* name;
        std::string bytes; // empty: the file is already there
    };
    const Case cases[] = {
        {"big.eta", bigHeader},
        {"date.eta", badDate},
        {"tail.eta", sound.substr(0, sound.size() - 100)},
        {"noise.eta", noise},
        {"nothing.eta", std::string()},
        {"short.eta", {}},
        {"empty.eta", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.bytes.empty() || std::string(c.name) == "nothing.eta")
            write(path(c.name), c.bytes);
        CSettingsSheet sheet;
        std::string error;
        ASSERT_EQ(setFieldFromText(*sheet.fields().find(id::kKh), "2.5", error), 0);
        const Bytes before = sheet.blocks().encodeBlock(settings::block::kMain);
        const ParameterFileResult r = load(sheet, path(c.name));
        EXPECT_EQ(r.status, ParameterFileResult::Status::Incorrect);
        EXPECT_EQ(r.message, "Fichier incorrect");
        EXPECT_EQ(sheet.blocks().encodeBlock(settings::block::kMain), before);
    }
}

TEST_F(SettingsFile, MissingFileAndFailedSave) {
    CSettingsSheet sheet;
    const ParameterFileResult missing = load(sheet, path("none.eta"));
    EXPECT_EQ(missing.status, ParameterFileResult::Status::CannotOpen);
    EXPECT_EQ(missing.message.rfind("Impossible d'ouvrir le fichier : ", 0), 0u);

    // A save that cannot be finished leaves the previous file whole.
    ASSERT_TRUE(save(sheet, path("keep.eta")).ok());
    const std::string before = bytesOf(path("keep.eta"));
    // The temporary file cannot be made: a folder stands in its place.
    const fs::path blocker = dir / (".keep.eta." + std::to_string(::getpid()) + ".tmp");
    fs::create_directory(blocker);
    std::string error;
    setFieldFromText(*sheet.fields().find(id::kKh), "3", error);
    const ParameterFileResult r = save(sheet, path("keep.eta"));
    EXPECT_EQ(r.status, ParameterFileResult::Status::CannotOpen);
    EXPECT_EQ(bytesOf(path("keep.eta")), before);
    fs::remove(blocker);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

} // namespace
