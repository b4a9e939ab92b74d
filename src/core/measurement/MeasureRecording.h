#pragma once

#include "framework/BlockFields.h"
#include "framework/FieldList.h"
#include "framework/FieldListBlocks.h"
#include "framework/RecordPager.h"
#include "measurement/MeasureDisplay.h"
#include "settings/files/RecordFile.h"

#include <array>
#include <string>

namespace ks {

// A measurement recording is a record file whose samples are one record per block of the
// measurement block list (kMeasureBlockList), in that order, the graph's points last.
inline constexpr int kBlocksPerSample = 6;

// Writes the samples of a recording.
class CMeasureRecorder {
public:
    // The header text of a recording: the dialog's caption, the program and the meter's
    // serial number parts and firmware as the fields hold them.
    static std::string headerText(const CFieldList& fields);

    // Creates (or replaces) the recording file.
    RecordFileStatus create(const std::string& path, const std::string& header,
                            const CalendarTime& created);
    // Opens an existing recording to record more samples after its last whole one: a torn
    // tail or a sample cut short is dropped first.
    RecordFileStatus continueFile(const std::string& path);

    // Appends one sample: the image of each block from the fields, the graph's points for the
    // pseudo-block, in one write. 0, or -1 with errno (the sample is then not in the file).
    int writeSample(const CBlockFields& blocks, const Bytes& graphHistory);

    int samplesInFile() const { return m_file.recordCount() / kBlocksPerSample; }
    bool isOpen() const { return m_file.isOpen(); }
    void close() { m_file.close(); }
    CRecordFile& file() { return m_file; }

private:
    CRecordFile m_file;
};

// The records of an opened recording, for the page buttons of the dialog.
class CRecordFileSource : public CRecordSource {
public:
    explicit CRecordFileSource(CRecordFile& file) : m_file(file) {}
    int recordCount() const override { return m_file.recordCount(); }
    int readRecord(int index, Bytes& out) override { return m_file.readRecord(index, out); }

private:
    CRecordFile& m_file;
};

// The measurement dialog's fields without the dialog, to read a recording back: each sample
// is decoded into them and the display refresh composes what the dialog would have shown.
class CMeasureSampleModel {
public:
    CMeasureSampleModel(int language, const RegionalSettings& regional, int applicationSetting);

    // Reads sample `index` of the file into the fields. 0, or -1 when one of its records
    // cannot be read or decoded (the fields may then hold part of it). A block whose bytes are
    // those of the sample loaded before is not decoded again: the settings blocks of a
    // recording seldom change, and an export walks many samples.
    int load(CRecordFile& file, int index);

    CFieldList& fields() { return m_fields; }
    const CFieldList& fields() const { return m_fields; }
    CFieldListBlocks& blocks() { return m_blocks; }
    bool twoPipes() const { return m_display.applicationType() == 3; }
    const Bytes& graphHistory() const { return m_history; }

private:
    CFieldList m_fields;
    CFieldListBlocks m_blocks;
    CMeasureDisplay m_display;
    Bytes m_history;
    Bytes m_record;
    std::array<Bytes, kBlocksPerSample> m_loaded;
    bool m_valid = false;
};

} // namespace ks
