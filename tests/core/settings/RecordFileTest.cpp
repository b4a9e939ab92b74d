#include "../app/TempFolder.h"

#include "settings/files/FileHeaderText.h"
#include "settings/files/RecordFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

using namespace ks;

namespace {

using Bytes = std::vector<std::uint8_t>;

const CalendarTime kCreated{2026, 3, 9, 14, 5, 7};

std::string u32(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
}

std::string asText(const Bytes& b) {
    return std::string(b.begin(), b.end());
}
Bytes asBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// Writes a file with the given records and returns its bytes.
std::string makeFile(const std::string& path, const std::string& header,
                     const std::vector<std::string>& records) {
    CRecordFile f;
    EXPECT_EQ(f.create(path, header, kCreated), RecordFileStatus::Ok);
    for (const auto& r : records)
        EXPECT_EQ(f.append(asBytes(r)), 0);
    f.close();
    return readBytes(path);
}

std::vector<std::string> readAll(CRecordFile& f) {
    std::vector<std::string> out;
    Bytes b;
    for (int i = 0; i < f.recordCount(); ++i) {
        EXPECT_EQ(f.readRecord(i, b), 0);
        out.push_back(asText(b));
    }
    return out;
}

} // namespace

TEST(RecordFile, LayoutIsByteExact) {
    TempFolder tmp;
    const std::string header = "Settings\nKS 1.0\n"; // 16 bytes
    const std::string bytes = makeFile(tmp.path("a.eta"), header, {"AB", "xyz"});
    const std::string expected = u32(45) + "\n\n" + "09/03/2026 - 14:05:07\n" + header + "\n" +
                                 u32(0) + u32(2) + "AB" + u32(2) + u32(1) + u32(3) + "xyz" +
                                 u32(3) + u32(2);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(49, 4), u32(2)); // first record at byte 49
}

TEST(RecordFile, RoundTripsHeaderAndRecordsInAnyOrder) {
    TempFolder tmp;
    const std::string path = tmp.path("r.mes");
    std::vector<std::string> records;
    for (int i = 0; i < 300; ++i)
        records.push_back(std::string(static_cast<std::size_t>(i * 7 % 200), static_cast<char>(i)));
    records.push_back(std::string(3 << 20, 'Z')); // larger than the read window
    makeFile(path, "title\n", records);

    CRecordFile f;
    ASSERT_EQ(f.open(path), RecordFileStatus::Ok);
    EXPECT_EQ(f.header().text, "title\n");
    EXPECT_EQ(f.header().created, kCreated);
    EXPECT_TRUE(f.header().createdValid);
    EXPECT_EQ(f.recordCount(), 301);
    EXPECT_EQ(f.trailingCount(), 301);
    EXPECT_EQ(f.tornBytes(), 0);
    EXPECT_EQ(readAll(f), records);
    // Backward, as the pager walks.
    Bytes b;
    for (int i = 300; i >= 0; i -= 37) {
        ASSERT_EQ(f.readRecord(i, b), 0);
        EXPECT_EQ(asText(b), records[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(f.readRecord(301, b), -1);
    EXPECT_EQ(f.readRecord(-1, b), -1);
}

TEST(RecordFile, AppendingToAnOpenedFileContinuesTheChain) {
    TempFolder tmp;
    const std::string path = tmp.path("p.eta");
    makeFile(path, "h\n", {"1", "22", "333"});
    {
        CRecordFile f;
        ASSERT_EQ(f.open(path, CRecordFile::Mode::Append), RecordFileStatus::Ok);
        ASSERT_EQ(f.append(asBytes("4444")), 0);
    }
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes.substr(bytes.size() - 20), u32(3) + u32(4) + "4444" + u32(4) + u32(4));
    CRecordFile g;
    ASSERT_EQ(g.open(path), RecordFileStatus::Ok);
    EXPECT_EQ(readAll(g), (std::vector<std::string>{"1", "22", "333", "4444"}));
    // A file opened for reading refuses to append.
    EXPECT_EQ(g.append(asBytes("x")), -1);
    EXPECT_EQ(errno, EBADF);
}

TEST(RecordFile, FiveRecordParameterFileEndsWithFive) {
    TempFolder tmp;
    const std::string path = tmp.path("five.eta");
    std::vector<std::string> blocks;
    for (int n : {0x10, 0x20, 0x30, 0x40, 82})
        blocks.push_back(std::string(static_cast<std::size_t>(2 * n), 'b'));
    const std::string bytes = makeFile(path, "x\n", blocks);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), u32(5));
    CRecordFile f;
    ASSERT_EQ(f.open(path), RecordFileStatus::Ok);
    EXPECT_EQ(readAll(f), blocks);
}

// A file cut at every byte opens with exactly the records that were complete, and appending
// to it continues after the last good one.
TEST(RecordFile, TornFileKeepsEveryCompleteRecord) {
    TempFolder tmp;
    const std::string whole = makeFile(tmp.path("w.mes"), "hdr\n", {"alpha", "", "gamma!"});
    const std::size_t h = 29 + 4;
    const std::vector<std::size_t> ends = {h + 4, h + 4 + 17, h + 4 + 17 + 12,
                                           h + 4 + 17 + 12 + 18};
    ASSERT_EQ(ends.back(), whole.size());
    for (std::size_t cut = h; cut <= whole.size(); ++cut) {
        const std::string path = tmp.path("cut.mes");
        writeBytes(path, whole.substr(0, cut));
        int complete = 0;
        for (std::size_t k = 1; k < ends.size(); ++k)
            complete += cut >= ends[k] ? 1 : 0;
        CRecordFile f;
        ASSERT_EQ(f.open(path), RecordFileStatus::Ok) << cut;
        EXPECT_EQ(f.recordCount(), complete) << cut;

        CRecordFile a;
        ASSERT_EQ(a.open(path, CRecordFile::Mode::Append), RecordFileStatus::Ok) << cut;
        ASSERT_EQ(a.append(asBytes("next")), 0);
        a.close();
        CRecordFile r;
        ASSERT_EQ(r.open(path), RecordFileStatus::Ok);
        EXPECT_EQ(r.tornBytes(), 0) << cut;
        const auto got = readAll(r);
        ASSERT_EQ(got.size(), static_cast<std::size_t>(complete + 1)) << cut;
        EXPECT_EQ(got.back(), "next");
        const std::string last = readBytes(path);
        EXPECT_EQ(last.substr(last.size() - 4), u32(static_cast<std::uint32_t>(complete + 1)));
    }
}

// A damaged chain stops at the damage, whatever the trailing count says.
TEST(RecordFile, InconsistentRecordEndsTheChain) {
    TempFolder tmp;
    const std::string whole = makeFile(tmp.path("w.mes"), "hdr\n", {"alpha", "beta", "gamma"});
    const std::size_t second = 29 + 4 + 4 + 4 + 5 + 8;
    struct Case {
        const char* what;
        std::size_t at;
        std::string bytes;
    } cases[] = {
        {"leading length too long", second, u32(0x7FFFFFF0)},
        {"trailing length differs", second + 4 + 4, u32(5)},
        {"count out of step", second + 4 + 4 + 4, u32(7)},
    };
    for (const auto& c : cases) {
        std::string damaged = whole;
        damaged.replace(c.at, 4, c.bytes);
        writeBytes(tmp.path("d.mes"), damaged);
        CRecordFile f;
        ASSERT_EQ(f.open(tmp.path("d.mes")), RecordFileStatus::Ok) << c.what;
        EXPECT_EQ(f.recordCount(), 1) << c.what;
        EXPECT_EQ(f.trailingCount(), 3) << c.what;
        EXPECT_GT(f.tornBytes(), 0) << c.what;
    }
}

TEST(RecordFile, BadHeadersAreIncorrect) {
    TempFolder tmp;
    const std::string good = makeFile(tmp.path("g.mes"), "hdr\n", {"r"});
    auto with = [&](std::size_t at, const std::string& b) {
        std::string s = good;
        s.replace(at, b.size(), b);
        return s;
    };
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"shorter than a header", good.substr(0, 20)},
        {"header above 2000", with(0, u32(2001)) + std::string(2100, '\n')},
        {"header below its minimum", with(0, u32(28))},
        {"header longer than the file", with(0, u32(1500))},
        {"no separator", with(4, "x")},
        {"date line of 20 characters", with(6, "9/03/2026 - 14:05:07\n")},
        {"header text without its line feed", with(32, "x")},
        {"first count not 0", with(33, u32(9))},
        {"random bytes", std::string("\x93\x01\x00\x00garbage garbage garbage garbage", 36)},
    };
    for (const auto& c : cases) {
        writeBytes(tmp.path("bad"), c.bytes);
        CRecordFile f;
        EXPECT_EQ(f.open(tmp.path("bad")), RecordFileStatus::Incorrect) << c.what;
        EXPECT_FALSE(f.isOpen());
    }
}

TEST(RecordFile, DateLineYearsAndShape) {
    struct Case {
        const char* line;
        bool ok;
        CalendarTime t;
    } cases[] = {
        {"01/02/2026 - 03:04:05", true, {2026, 2, 1, 3, 4, 5}},
        {"31/12/1938 - 23:59:59", true, {2038, 12, 31, 23, 59, 59}},
        {"01/06/1939 - 12:00:00", true, {1939, 6, 1, 12, 0, 0}},
        {"15/07/2099 - 08:30:00", true, {1999, 7, 15, 8, 30, 0}},
        {"30/02/2026 - 10:00:00", false, {}},
        {"01/02/2026 - 3:04:05", false, {}},
        {"01/02/2026 - 03:04:0x", false, {}},
    };
    for (const auto& c : cases) {
        CalendarTime t;
        EXPECT_EQ(CRecordFile::parseDateLine(c.line, t), c.ok) << c.line;
        EXPECT_EQ(t, c.ok ? c.t : CalendarTime{}) << c.line;
    }
    EXPECT_EQ(CRecordFile::dateLine({2026, 3, 9, 4, 5, 6}), "09/03/2026 - 04:05:06\n");
}

TEST(RecordFile, UnreadableDateStillOpensWithTheFallbackTime) {
    TempFolder tmp;
    std::string bytes = makeFile(tmp.path("g.mes"), "hdr\n", {"r"});
    bytes.replace(6, 2, "31");
    bytes.replace(9, 2, "02"); // 31 February
    writeBytes(tmp.path("g.mes"), bytes);
    CRecordFile f;
    ASSERT_EQ(f.open(tmp.path("g.mes")), RecordFileStatus::Ok);
    EXPECT_FALSE(f.header().createdValid);
    EXPECT_EQ(f.header().created, CalendarTime{});
    EXPECT_EQ(f.recordCount(), 1);
}

TEST(RecordFile, SystemFailuresReportErrno) {
    TempFolder tmp;
    CRecordFile f;
    EXPECT_EQ(f.open(tmp.path("missing")), RecordFileStatus::CannotOpen);
    EXPECT_EQ(f.errorNumber(), ENOENT);
    EXPECT_EQ(f.create(tmp.dir(), "h\n", kCreated), RecordFileStatus::CannotOpen);
    EXPECT_EQ(f.create(tmp.path("no/such/folder/x.mes"), "h\n", kCreated),
              RecordFileStatus::CannotOpen);
    EXPECT_EQ(f.errorNumber(), ENOENT);
    ::mkfifo(tmp.path("fifo").c_str(), 0600);
    EXPECT_EQ(f.open(tmp.path("fifo")), RecordFileStatus::CannotOpen); // and does not block
    // A header text no reader would accept is refused rather than written.
    EXPECT_EQ(f.create(tmp.path("long.mes"), std::string(1972, 'h'), kCreated),
              RecordFileStatus::Incorrect);
    EXPECT_EQ(f.create(tmp.path("max.mes"), std::string(1971, 'h'), kCreated),
              RecordFileStatus::Ok);
}

// A full disk: the record that did not fit leaves no trace and the earlier ones stay.
TEST(RecordFile, FailedAppendLeavesTheFileAsItWas) {
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TempFolder tmp;
    const std::string path = tmp.path("full.mes");
    makeFile(path, "h\n", {"one"});
    const std::string before = readBytes(path);
    CRecordFile f;
    ASSERT_EQ(f.open(path, CRecordFile::Mode::Append), RecordFileStatus::Ok);
    // Limit the file size so that the next record cannot be written whole.
    struct rlimit old {};
    ::getrlimit(RLIMIT_FSIZE, &old);
    struct rlimit small = old;
    small.rlim_cur = before.size() + 10;
    ::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const int rc = f.append(asBytes(std::string(100, 'x')));
    const int err = errno;
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(err, EFBIG);
    EXPECT_EQ(f.recordCount(), 1);
    ASSERT_EQ(f.append(asBytes("two")), 0);
    f.close();
    CRecordFile g;
    ASSERT_EQ(g.open(path), RecordFileStatus::Ok);
    EXPECT_EQ(readAll(g), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(g.tornBytes(), 0);
}

TEST(FileHeaderText, EightLinesRoundTrip) {
    FileHeaderText h{"Paramétrage", "Calyptron KS", "12", "24", "00417", "V2.10", "KS-2 flow", ""};
    const std::string text = buildFileHeaderText(h);
    EXPECT_EQ(text, "Paramétrage\nCalyptron KS\n4278058235\n12\n24\n00417\nV2.10\nKS-2 flow\n");
    const auto back = parseFileHeaderText(text);
    ASSERT_TRUE(back);
    h.magicLine = "4278058235";
    EXPECT_EQ(*back, h);
    EXPECT_EQ(fileMagicValue(back->magicLine), 0x1234);
    EXPECT_FALSE(parseFileHeaderText("a\nb\nc\nd\ne\nf\ng\n"));
    EXPECT_FALSE(fileMagicValue("99999999999"));
    EXPECT_FALSE(fileMagicValue("12a"));
    // A line feed inside a value cannot shift the lines.
    h.caption = "two\nlines";
    EXPECT_EQ(parseFileHeaderText(buildFileHeaderText(h))->programName, "Calyptron KS");
}

// Several records in one write (a measurement sample), and cutting back to whole samples.
TEST(RecordFile, GroupAppendAndTruncate) {
    TempFolder tmp;
    const std::string path = tmp.path("g.mes");
    CRecordFile f;
    ASSERT_EQ(f.create(path, "h\n", kCreated), RecordFileStatus::Ok);
    ASSERT_EQ(f.append(std::vector<Bytes>{asBytes("a"), asBytes("bb"), asBytes("")}), 0);
    ASSERT_EQ(f.append(asBytes("c")), 0);
    EXPECT_EQ(f.recordCount(), 4);
    EXPECT_EQ(readAll(f), (std::vector<std::string>{"a", "bb", "", "c"}));
    ASSERT_EQ(f.truncateRecords(3), 0);
    EXPECT_EQ(f.truncateRecords(4), -1);
    ASSERT_EQ(f.append(asBytes("d")), 0);
    f.close();
    const std::string bytes = readBytes(path);
    EXPECT_EQ(bytes.substr(bytes.size() - 17), u32(3) + u32(1) + "d" + u32(1) + u32(4));
    CRecordFile g;
    ASSERT_EQ(g.open(path), RecordFileStatus::Ok);
    EXPECT_EQ(readAll(g), (std::vector<std::string>{"a", "bb", "", "d"}));
    EXPECT_EQ(g.truncateRecords(1), -1); // opened for reading only
}
