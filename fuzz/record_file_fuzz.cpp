// Feeds arbitrary bytes to the record file reader as a file. Every record it accepts must lie
// inside the file; copying them into a new file must give back the same header text and
// records, and the bytes of a sound file must be exactly what the writer produces.
#include "settings/files/RecordFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

std::string fdPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

std::string contents(int fd) {
    std::string out;
    char buf[4096];
    ssize_t n = 0;
    for (off_t at = 0; (n = ::pread(fd, buf, sizeof buf, at)) > 0; at += n)
        out.append(buf, static_cast<std::size_t>(n));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const int in = ::memfd_create("record-in", 0);
    static const int out = ::memfd_create("record-out", 0);
    if (in < 0 || out < 0)
        return 0;
    if (::ftruncate(in, 0) != 0 || ::pwrite(in, data, size, 0) != static_cast<ssize_t>(size))
        return 0;

    ks::CRecordFile reader;
    if (reader.open(fdPath(in)) != ks::RecordFileStatus::Ok)
        return 0;
    if (reader.header().size > ks::CRecordFile::kMaxHeaderSize)
        __builtin_trap();
    std::vector<std::vector<std::uint8_t>> records;
    std::size_t total = 0;
    for (int i = 0; i < reader.recordCount(); ++i) {
        std::vector<std::uint8_t> r;
        if (reader.readRecord(i, r) != 0)
            __builtin_trap();
        total += r.size() + 12;
        records.push_back(std::move(r));
    }
    if (reader.header().size + 4 + total + static_cast<std::size_t>(reader.tornBytes()) != size &&
        !(reader.header().size + static_cast<std::size_t>(reader.tornBytes()) == size &&
          records.empty()))
        __builtin_trap();

    ks::CRecordFile writer;
    const ks::CalendarTime when =
        reader.header().createdValid ? reader.header().created : ks::CalendarTime{};
    if (writer.create(fdPath(out), reader.header().text, when) != ks::RecordFileStatus::Ok)
        __builtin_trap();
    for (const auto& r : records)
        if (writer.append(r) != 0)
            __builtin_trap();
    writer.close();

    ks::CRecordFile again;
    if (again.open(fdPath(out)) != ks::RecordFileStatus::Ok ||
        again.header().text != reader.header().text || again.recordCount() != reader.recordCount())
        __builtin_trap();
    for (int i = 0; i < again.recordCount(); ++i) {
        std::vector<std::uint8_t> r;
        if (again.readRecord(i, r) != 0 || r != records[static_cast<std::size_t>(i)])
            __builtin_trap();
    }
    // A sound input is reproduced byte for byte, but for its date line (two-digit years are
    // read as 19xx or 20xx, so "2099" comes back as 1999).
    if (reader.tornBytes() == 0 && reader.header().size + 4 + total == size) {
        std::string copy = contents(out);
        std::string orig(reinterpret_cast<const char*>(data), size);
        if (copy.size() != orig.size())
            __builtin_trap();
        copy.replace(6, 22, 22, ' ');
        orig.replace(6, 22, 22, ' ');
        if (copy != orig)
            __builtin_trap();
    }
    return 0;
}
