#pragma once

#include "i18n/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The record file: the one container of every parameter file (settings sheet, calibration,
// factory settings, ...) and of the measurement recordings.
//
// Layout, all integers 32-bit little-endian:
//
//   0        H                header size, these 4 bytes included (a reader refuses H > 2000)
//   4        "\n\n"
//   6        "dd/mm/yyyy - hh:mm:ss\n"   creation time (22 bytes)
//   28       header text      H - 29 bytes, written as given (by convention lines ending in "\n")
//   H - 1    "\n"
//   H        0                the record count before the first record
//   then per record i = 1, 2, ...:  L, L data bytes, L again, i
//
// So a header text of 16 bytes gives H = 45 and the first record at byte 49, and the last 4
// bytes of a sound file always hold its record count.
//
// Nothing lost: a file cut at any byte (power loss, kill -9, a full disk) opens with every
// complete record. Opening walks the chain of records from the header and stops at the first
// record that is torn or inconsistent (length past the end of the file, trailing length not
// matching the leading one, a running count out of step); the trailing count is reported but
// never trusted. Opened for appending, such a file is cut back to its last good record so that
// new records continue the chain.
//
// Typical use by a parameter dialog:
//
//   CRecordFile f;
//   if (f.create(path, headerText, CDateTime::now().fields()) != RecordFileStatus::Ok) ...
//   f.append(block1); f.append(block2); ...          // each 0, or -1 with errno
//
//   CRecordFile g;
//   switch (g.open(path)) { ... }                    // Ok / CannotOpen (errno) / Incorrect
//   g.header().text; g.recordCount(); g.readRecord(k, bytes);
namespace ks {

enum class RecordFileStatus {
    Ok,
    CannotOpen, // the system refused: errorNumber() holds its errno
    Incorrect,  // not a record file: header size above 2000 or too small, bad separators or
                // date line, a file shorter than its header
};

struct RecordFileHeader {
    std::uint32_t size = 0; // H
    std::string text;       // the header text exactly as written (the line feed at H - 1 dropped)
    CalendarTime created;   // creation time read from the date line
    bool createdValid = false; // false when the date line's fields were not a real time
                               // (created then holds 1980-01-01 00:00:00)
};

class CRecordFile {
public:
    static constexpr std::uint32_t kMaxHeaderSize = 2000;
    // 4 (H) + 2 (separators) + 22 (date line) + 1 (the line feed at H - 1).
    static constexpr std::uint32_t kHeaderOverhead = 29;

    enum class Mode { Read, Append };

    CRecordFile() = default;
    ~CRecordFile();
    CRecordFile(const CRecordFile&) = delete;
    CRecordFile& operator=(const CRecordFile&) = delete;

    // Creates or truncates the file and writes the header and the count 0; the file is then
    // open for appending. The creation time's fields are written as given (years below 1000 or
    // above 9999 are not representable and are refused like a header text too long for a
    // reader: Incorrect with errno EINVAL).
    RecordFileStatus create(const std::string& path, std::string_view headerText,
                            const CalendarTime& created);

    // Opens an existing file, reads its header and walks its chain of records. In Append mode
    // the file is opened for writing too, and a torn tail is cut off at once, so the file
    // ends with the count of its last good record again.
    RecordFileStatus open(const std::string& path, Mode mode = Mode::Read);

    // Appends one record after the last good one: L, the bytes, L, count + 1, in one write.
    // 0, or -1 with errno set (not open for appending, a record above 2^31 - 1 bytes, a write
    // error such as a full disk). A failed append leaves the file as it was before it.
    int append(std::span<const std::uint8_t> bytes);
    // Appends several records in one write, so that a killed program leaves all of them or
    // none (a measurement sample is several records). 0 or -1 as above.
    int append(const std::vector<std::vector<std::uint8_t>>& records);
    // Cuts the file after its first `count` records (opened for appending). 0 or -1.
    int truncateRecords(int count);

    // Reads record `index` (0-based) into `out`. 0, or -1 when there is no such record or the
    // file cannot be read (errno set).
    int readRecord(int index, std::vector<std::uint8_t>& out);

    void close();

    bool isOpen() const { return m_fd >= 0; }
    const RecordFileHeader& header() const { return m_header; }
    // Complete records found by the walk (and appended since).
    int recordCount() const { return static_cast<int>(m_offsets.size()); }
    // The count held in the last 4 bytes when the file was opened (-1 if shorter than 4 bytes).
    // Differs from recordCount() only for a torn or damaged file.
    std::int64_t trailingCount() const { return m_trailingCount; }
    // Bytes found after the last good record when the file was opened (0 for a sound file).
    std::int64_t tornBytes() const { return m_tornBytes; }
    // The errno of the last failure.
    int errorNumber() const { return m_errno; }

    // The date line of a creation time: "dd/mm/yyyy - hh:mm:ss\n".
    static std::string dateLine(const CalendarTime& t);
    // Reads a date line without its line feed (21 characters: day at 0, month at 3, the last two
    // digits of the year at 8, hour at 13, minute at 16, second at 19; two-digit years up to 38
    // are 20xx, others 19xx). False when the text has not that shape or holds no real time.
    static bool parseDateLine(std::string_view line, CalendarTime& out);

private:
    RecordFileStatus fail(RecordFileStatus status, int err);
    bool readAt(std::int64_t offset, void* dst, std::size_t n);
    RecordFileStatus readHeader();
    void walkChain();
    int appendFrame(const std::string& frame, std::size_t records);

    int m_fd = -1;
    bool m_writable = false;
    std::int64_t m_fileSize = 0;
    std::int64_t m_end = 0; // end of the last good record (or of the first count)
    std::int64_t m_trailingCount = -1;
    std::int64_t m_tornBytes = 0;
    int m_errno = 0;
    RecordFileHeader m_header;
    // Offset of each record's leading length, found by walking the chain.
    std::vector<std::int64_t> m_offsets;
    // A read window over the file, so that walking and sequential reads cost few system calls.
    std::vector<std::uint8_t> m_window;
    std::int64_t m_windowStart = 0;
};

} // namespace ks
