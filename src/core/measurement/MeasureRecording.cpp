#include "measurement/MeasureRecording.h"

#include "app/Version.h"
#include "i18n/TextTable.h"
#include "measurement/MeasureBlocks.h"
#include "measurement/MeasureFields.h"
#include "measurement/MeasureIds.h"
#include "settings/files/FileHeaderText.h"

namespace ks {

namespace {
namespace id = measure::id;

std::string textOf(const CFieldList& fields, int fieldId) {
    const CField* f = fields.find(fieldId);
    return f ? f->text() : std::string();
}
} // namespace

static_assert(kMeasureBlockList.size() == kBlocksPerSample);

std::string CMeasureRecorder::headerText(const CFieldList& fields) {
    CTextTable texts;
    FileHeaderText h;
    h.caption = texts.text(measure::text::kCaption, fields.language());
    h.programName = version::kInternalName;
    h.week = textOf(fields, id::kSerialFirst);
    h.year = textOf(fields, id::kSerialSecond);
    h.running = textOf(fields, id::kSerialSequence);
    h.firmwareVersion = textOf(fields, id::kFirmware);
    h.firmwareText = textOf(fields, id::kFamilyName);
    return buildFileHeaderText(h);
}

RecordFileStatus CMeasureRecorder::create(const std::string& path, const std::string& header,
                                          const CalendarTime& created) {
    return m_file.create(path, header, created);
}

RecordFileStatus CMeasureRecorder::continueFile(const std::string& path) {
    const RecordFileStatus s = m_file.open(path, CRecordFile::Mode::Append);
    if (s != RecordFileStatus::Ok)
        return s;
    const int whole = samplesInFile() * kBlocksPerSample;
    if (m_file.truncateRecords(whole) != 0) {
        const int err = m_file.errorNumber();
        m_file.close();
        errno = err;
        return RecordFileStatus::CannotOpen;
    }
    return s;
}

int CMeasureRecorder::writeSample(const CBlockFields& blocks, const Bytes& graphHistory) {
    std::vector<Bytes> records;
    records.reserve(kBlocksPerSample);
    for (int block : kMeasureBlockList)
        records.push_back(block == measure::block::kGraphHistory ? graphHistory
                                                                 : blocks.encodeBlock(block));
    return m_file.append(records);
}

CMeasureSampleModel::CMeasureSampleModel(int language, const RegionalSettings& regional,
                                         int applicationSetting)
    : m_blocks(m_fields, regional), m_display(m_fields, nullptr) {
    m_fields.setLanguage(language);
    registerMeasureFields(m_fields);
    registerBorrowedFields(m_fields);
    m_display.setApplicationSetting(applicationSetting);
    m_display.setFileOnly(true);
}

int CMeasureSampleModel::load(CRecordFile& file, int index) {
    if (index < 0)
        return -1;
    const int first = index * kBlocksPerSample;
    bool changed = !m_valid;
    for (int k = 0; k < kBlocksPerSample; ++k) {
        if (file.readRecord(first + k, m_record) != 0) {
            m_valid = false;
            return -1;
        }
        Bytes& loaded = m_loaded[static_cast<std::size_t>(k)];
        if (m_valid && m_record == loaded)
            continue;
        const int block = kMeasureBlockList[static_cast<std::size_t>(k)];
        if (block == measure::block::kGraphHistory) {
            m_history = m_record;
        } else if (m_blocks.decodeBlock(block, m_record) != 0) {
            m_valid = false;
            return -1;
        }
        loaded.swap(m_record);
        changed = true;
    }
    m_valid = true;
    if (!changed)
        return 0;
    if (CField* status = m_fields.find(id::kCommunicationStatus))
        status->setNumber(0);
    m_display.refresh(0);
    return 0;
}

} // namespace ks
