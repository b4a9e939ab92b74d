#include "settings/files/RecordFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace ks {

namespace {

constexpr std::size_t kWindowSize = 1 << 20;
constexpr std::int64_t kMaxRecordSize = std::numeric_limits<std::int32_t>::max();

void putU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint32_t getU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Writes all bytes at the offset; false with errno on failure (ENOSPC for a short write).
bool writeAllAt(int fd, const char* data, std::size_t n, std::int64_t offset) {
    while (n > 0) {
        const ssize_t w = ::pwrite(fd, data, n, offset);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (w == 0) {
            errno = ENOSPC;
            return false;
        }
        data += w;
        n -= static_cast<std::size_t>(w);
        offset += w;
    }
    return true;
}

// Opens without blocking on a FIFO or a device and accepts only regular files.
int openRegular(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = err;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

int twoDigits(std::string_view s, std::size_t at) {
    const char a = s[at], b = s[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9')
        return -1;
    return (a - '0') * 10 + (b - '0');
}

} // namespace

CRecordFile::~CRecordFile() {
    close();
}

void CRecordFile::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_writable = false;
    m_fileSize = m_end = 0;
    m_trailingCount = -1;
    m_tornBytes = 0;
    m_header = {};
    m_offsets.clear();
    m_window.clear();
    m_windowStart = 0;
}

RecordFileStatus CRecordFile::fail(RecordFileStatus status, int err) {
    close();
    m_errno = err;
    errno = err;
    return status;
}

std::string CRecordFile::dateLine(const CalendarTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d - %02d:%02d:%02d\n", t.day, t.month, t.year,
                  t.hour, t.minute, t.second);
    return buf;
}

bool CRecordFile::parseDateLine(std::string_view line, CalendarTime& out) {
    out = CalendarTime{};
    if (line.size() != 21)
        return false;
    const int day = twoDigits(line, 0), month = twoDigits(line, 3), year = twoDigits(line, 8),
              hour = twoDigits(line, 13), minute = twoDigits(line, 16),
              second = twoDigits(line, 19);
    if (day < 0 || month < 0 || year < 0 || hour < 0 || minute < 0 || second < 0)
        return false;
    CDateTime dt;
    if (!dt.build(year, month, day, hour, minute, second))
        return false;
    out = dt.fields();
    return true;
}

RecordFileStatus CRecordFile::create(const std::string& path, std::string_view headerText,
                                     const CalendarTime& created) {
    close();
    if (headerText.size() > kMaxHeaderSize - kHeaderOverhead || created.year < 1000 ||
        created.year > 9999)
        return fail(RecordFileStatus::Incorrect, EINVAL);
    const int fd = openRegular(path, O_RDWR | O_CREAT | O_TRUNC);
    if (fd < 0)
        return fail(RecordFileStatus::CannotOpen, errno);
    m_fd = fd;

    const auto size = static_cast<std::uint32_t>(kHeaderOverhead + headerText.size());
    std::string head;
    head.reserve(size + 4);
    putU32(head, size);
    head += "\n\n";
    const std::string date = dateLine(created);
    if (date.size() != 22)
        return fail(RecordFileStatus::Incorrect, EINVAL);
    head += date;
    head += headerText;
    head += '\n';
    putU32(head, 0);
    if (!writeAllAt(m_fd, head.data(), head.size(), 0)) {
        const int err = errno;
        ::ftruncate(m_fd, 0);
        return fail(RecordFileStatus::CannotOpen, err);
    }
    m_writable = true;
    m_header.size = size;
    m_header.text = std::string(headerText);
    m_header.created = created;
    m_header.createdValid = true;
    m_fileSize = m_end = static_cast<std::int64_t>(head.size());
    m_trailingCount = 0;
    m_errno = 0;
    return RecordFileStatus::Ok;
}

RecordFileStatus CRecordFile::open(const std::string& path, Mode mode) {
    close();
    const int fd = openRegular(path, mode == Mode::Append ? O_RDWR : O_RDONLY);
    if (fd < 0)
        return fail(RecordFileStatus::CannotOpen, errno);
    m_fd = fd;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        return fail(RecordFileStatus::CannotOpen, errno);
    m_fileSize = st.st_size;

    const RecordFileStatus status = readHeader();
    if (status != RecordFileStatus::Ok)
        return status;
    walkChain();

    if (mode == Mode::Append) {
        m_writable = true;
        const std::int64_t countAt = m_header.size;
        if (m_fileSize < countAt + 4) {
            // The header is whole but its count was cut: write it again.
            std::string zero;
            putU32(zero, 0);
            if (::ftruncate(m_fd, countAt) != 0 ||
                !writeAllAt(m_fd, zero.data(), zero.size(), countAt))
                return fail(RecordFileStatus::CannotOpen, errno);
            m_end = m_fileSize = countAt + 4;
        } else if (m_tornBytes > 0) {
            if (::ftruncate(m_fd, m_end) != 0)
                return fail(RecordFileStatus::CannotOpen, errno);
            m_fileSize = m_end;
        }
        m_window.clear();
    }
    m_errno = 0;
    return RecordFileStatus::Ok;
}

bool CRecordFile::readAt(std::int64_t offset, void* dst, std::size_t n) {
    if (offset < 0 || offset + static_cast<std::int64_t>(n) > m_fileSize) {
        errno = EINVAL;
        return false;
    }
    const std::int64_t windowEnd = m_windowStart + static_cast<std::int64_t>(m_window.size());
    if (offset >= m_windowStart && offset + static_cast<std::int64_t>(n) <= windowEnd) {
        std::memcpy(dst, m_window.data() + (offset - m_windowStart), n);
        return true;
    }
    auto preadAll = [this](std::uint8_t* p, std::size_t want, std::int64_t at) -> std::size_t {
        std::size_t got = 0;
        while (got < want) {
            const ssize_t r =
                ::pread(m_fd, p + got, want - got, at + static_cast<std::int64_t>(got));
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                break;
            got += static_cast<std::size_t>(r);
        }
        return got;
    };
    if (n > kWindowSize / 2) {
        if (preadAll(static_cast<std::uint8_t*>(dst), n, offset) != n) {
            if (errno == 0)
                errno = EIO;
            return false;
        }
        return true;
    }
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::int64_t>(kWindowSize, m_fileSize - offset));
    m_window.resize(want);
    errno = 0;
    const std::size_t got = preadAll(m_window.data(), want, offset);
    m_window.resize(got);
    m_windowStart = offset;
    if (got < n) {
        if (errno == 0)
            errno = EIO;
        return false;
    }
    std::memcpy(dst, m_window.data(), n);
    return true;
}

RecordFileStatus CRecordFile::readHeader() {
    std::uint8_t four[4];
    if (m_fileSize < static_cast<std::int64_t>(kHeaderOverhead) || !readAt(0, four, 4))
        return fail(RecordFileStatus::Incorrect, EINVAL);
    const std::uint32_t size = getU32(four);
    if (size > kMaxHeaderSize || size < kHeaderOverhead || size > m_fileSize)
        return fail(RecordFileStatus::Incorrect, EINVAL);
    std::string head(size, '\0');
    if (!readAt(0, head.data(), size))
        return fail(RecordFileStatus::CannotOpen, errno);
    if (head[4] != '\n' || head[5] != '\n' || head[27] != '\n' || head[size - 1] != '\n')
        return fail(RecordFileStatus::Incorrect, EINVAL);
    const std::string_view date(head.data() + 6, 21);
    if (date.find('\n') != std::string_view::npos)
        return fail(RecordFileStatus::Incorrect, EINVAL);
    m_header.size = size;
    m_header.createdValid = parseDateLine(date, m_header.created);
    m_header.text = head.substr(28, size - kHeaderOverhead);

    // The count before the first record must be 0; anything else is not one of our files.
    if (m_fileSize >= static_cast<std::int64_t>(size) + 4) {
        if (!readAt(size, four, 4))
            return fail(RecordFileStatus::CannotOpen, errno);
        if (getU32(four) != 0)
            return fail(RecordFileStatus::Incorrect, EINVAL);
    }
    if (m_fileSize >= 4 && readAt(m_fileSize - 4, four, 4))
        m_trailingCount = getU32(four);
    return RecordFileStatus::Ok;
}

void CRecordFile::walkChain() {
    m_offsets.clear();
    std::int64_t pos = static_cast<std::int64_t>(m_header.size) + 4;
    if (pos > m_fileSize) {
        m_end = m_header.size;
        m_tornBytes = m_fileSize - m_header.size;
        return;
    }
    std::uint8_t four[4], eight[8];
    for (std::uint32_t i = 1;; ++i) {
        if (pos + 4 > m_fileSize || !readAt(pos, four, 4))
            break;
        const std::int64_t len = getU32(four);
        if (len > kMaxRecordSize || pos + 4 + len + 8 > m_fileSize)
            break;
        if (!readAt(pos + 4 + len, eight, 8))
            break;
        if (getU32(eight) != len || getU32(eight + 4) != i)
            break;
        m_offsets.push_back(pos);
        pos += len + 12;
    }
    m_end = pos;
    m_tornBytes = m_fileSize - pos;
}

int CRecordFile::append(std::span<const std::uint8_t> bytes) {
    const std::vector<std::vector<std::uint8_t>> one{{bytes.begin(), bytes.end()}};
    return append(one);
}

int CRecordFile::append(const std::vector<std::vector<std::uint8_t>>& records) {
    if (m_fd < 0 || !m_writable) {
        m_errno = errno = EBADF;
        return -1;
    }
    std::size_t total = 0;
    for (const auto& r : records) {
        if (r.size() > static_cast<std::size_t>(kMaxRecordSize)) {
            m_errno = errno = EFBIG;
            return -1;
        }
        total += r.size() + 12;
    }
    if (m_offsets.size() + records.size() >= std::numeric_limits<std::uint32_t>::max()) {
        m_errno = errno = EFBIG;
        return -1;
    }
    std::string frame;
    frame.reserve(total);
    auto count = static_cast<std::uint32_t>(m_offsets.size());
    for (const auto& r : records) {
        const auto len = static_cast<std::uint32_t>(r.size());
        putU32(frame, len);
        frame.append(reinterpret_cast<const char*>(r.data()), r.size());
        putU32(frame, len);
        putU32(frame, ++count);
    }
    return appendFrame(frame, records.size());
}

int CRecordFile::appendFrame(const std::string& frame, std::size_t records) {
    if (!writeAllAt(m_fd, frame.data(), frame.size(), m_end)) {
        const int err = errno;
        // Take back whatever part of the records reached the file.
        while (::ftruncate(m_fd, m_end) != 0 && errno == EINTR) {
        }
        m_fileSize = m_end;
        m_window.clear();
        m_errno = errno = err;
        return -1;
    }
    std::int64_t at = m_end;
    for (std::size_t i = 0; i < records; ++i) {
        m_offsets.push_back(at);
        std::uint8_t four[4];
        std::memcpy(four, frame.data() + (at - m_end), 4);
        at += static_cast<std::int64_t>(getU32(four)) + 12;
    }
    m_end += static_cast<std::int64_t>(frame.size());
    m_fileSize = m_end;
    m_trailingCount = static_cast<std::int64_t>(m_offsets.size());
    return 0;
}

int CRecordFile::truncateRecords(int count) {
    if (m_fd < 0 || !m_writable || count < 0 || count > recordCount()) {
        m_errno = errno = m_fd < 0 || !m_writable ? EBADF : EINVAL;
        return -1;
    }
    if (count == recordCount())
        return 0;
    const std::int64_t end = m_offsets[static_cast<std::size_t>(count)];
    if (::ftruncate(m_fd, end) != 0) {
        m_errno = errno;
        return -1;
    }
    m_offsets.resize(static_cast<std::size_t>(count));
    m_end = m_fileSize = end;
    m_trailingCount = count;
    m_window.clear();
    return 0;
}

int CRecordFile::readRecord(int index, std::vector<std::uint8_t>& out) {
    if (m_fd < 0 || index < 0 || index >= recordCount()) {
        m_errno = errno = EINVAL;
        return -1;
    }
    const std::int64_t at = m_offsets[static_cast<std::size_t>(index)];
    std::uint8_t four[4];
    if (!readAt(at, four, 4)) {
        m_errno = errno;
        return -1;
    }
    out.resize(getU32(four));
    if (!out.empty() && !readAt(at + 4, out.data(), out.size())) {
        m_errno = errno;
        return -1;
    }
    return 0;
}

} // namespace ks
