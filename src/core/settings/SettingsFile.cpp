#include "settings/SettingsFile.h"

#include "app/Version.h"
#include "framework/IdentificationFields.h"
#include "i18n/TextTable.h"
#include "settings/SettingsTexts.h"
#include "settings/files/FileHeaderText.h"
#include "settings/files/RecordFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace ks {

namespace {

namespace tx = settings::text;

ParameterFileResult failure(ParameterFileResult::Status status, int language, int err = 0) {
    CTextTable t;
    ParameterFileResult r;
    r.status = status;
    if (status == ParameterFileResult::Status::CannotOpen)
        r.message = t.text(tx::kCannotOpenFile, language) + std::strerror(err);
    else
        r.message = t.text(tx::kBadFile, language);
    return r;
}

// The temporary file beside the target: same folder, so that the rename cannot cross devices.
std::string temporaryPathFor(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + name + "." + std::to_string(::getpid()) + ".tmp";
}

Bytes recordOf(const CFieldListBlocks& blocks, int block) {
    Bytes b = blocks.encodeBlock(block);
    b.resize(2 * static_cast<std::size_t>(blocks.registerCount(block)), 0);
    return b;
}

void setText(CFieldList& fields, int id, const std::string& text) {
    if (CField* f = fields.find(id))
        f->setText(text);
}

} // namespace

ParameterFileResult saveParameterFile(const std::string& path, const std::string& caption,
                                      const CFieldListBlocks& blocks, const std::vector<int>& order,
                                      const CalendarTime& now) {
    const CFieldList& fields = blocks.fields();
    const int language = fields.language();
    const Identification id = identificationOf(fields);
    FileHeaderText h;
    h.caption = caption;
    h.programName = version::kInternalName;
    h.week = std::to_string(id.serialWeek);
    h.year = std::to_string(id.serialYear);
    h.running = std::to_string(id.serialUnit);
    h.firmwareVersion = id.firmware;
    h.firmwareText = id.description;

    const std::string temporary = temporaryPathFor(path);
    CRecordFile file;
    const RecordFileStatus created = file.create(temporary, buildFileHeaderText(h), now);
    if (created != RecordFileStatus::Ok) {
        const int err = file.errorNumber();
        ::unlink(temporary.c_str());
        return failure(ParameterFileResult::Status::CannotOpen, language, err ? err : EIO);
    }
    for (int block : order) {
        if (file.append(recordOf(blocks, block)) != 0) {
            const int err = file.errorNumber() ? file.errorNumber() : errno;
            file.close();
            ::unlink(temporary.c_str());
            return failure(ParameterFileResult::Status::CannotOpen, language, err ? err : EIO);
        }
    }
    file.close();
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        return failure(ParameterFileResult::Status::CannotOpen, language, err);
    }
    return {};
}

ParameterFileResult loadParameterFile(const std::string& path, CFieldListBlocks& blocks,
                                      const std::vector<int>& order, int firmwareField) {
    CFieldList& fields = blocks.fields();
    const int language = fields.language();
    CRecordFile file;
    switch (file.open(path)) {
    case RecordFileStatus::Ok:
        break;
    case RecordFileStatus::CannotOpen:
        return failure(ParameterFileResult::Status::CannotOpen, language, file.errorNumber());
    case RecordFileStatus::Incorrect:
        return failure(ParameterFileResult::Status::Incorrect, language);
    }
    const auto header = parseFileHeaderText(file.header().text);
    if (!header || file.recordCount() == 0 || file.recordCount() < static_cast<int>(order.size()))
        return failure(ParameterFileResult::Status::Incorrect, language);

    std::vector<Bytes> records;
    for (std::size_t k = 0; k < order.size(); ++k) {
        Bytes record;
        const std::size_t expected = 2 * static_cast<std::size_t>(blocks.registerCount(order[k]));
        if (file.readRecord(static_cast<int>(k), record) != 0 || record.size() != expected)
            return failure(ParameterFileResult::Status::Incorrect, language);
        records.push_back(std::move(record));
    }

    namespace ic = identcontrol;
    setText(fields, ic::kSerialWeek, header->week);
    setText(fields, ic::kSerialYear, header->year);
    setText(fields, ic::kSerialUnit, header->running);
    setText(fields, ic::kFirmware, header->firmwareVersion);
    setText(fields, ic::kDescription, header->firmwareText);
    if (firmwareField != 0)
        setText(fields, firmwareField, header->firmwareVersion);
    for (std::size_t k = 0; k < order.size(); ++k)
        blocks.decodeBlock(order[k], records[k]);
    return {};
}

} // namespace ks
