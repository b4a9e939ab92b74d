#pragma once

#include "measurement/RecordingSummary.h"

#include <memory>
#include <string>
#include <vector>

namespace ks {

// A workbook of a recording: the data sheet (numbers as numbers, the date-time column as
// date-time cells), a summary sheet and a line chart of the flow over time. Rows are written
// in order and leave memory at once, so a long recording costs little memory.
class CWorkbookWriter {
public:
    CWorkbookWriter();
    ~CWorkbookWriter();
    CWorkbookWriter(const CWorkbookWriter&) = delete;
    CWorkbookWriter& operator=(const CWorkbookWriter&) = delete;

    // Starts the workbook at path (temporary files go into tempFolder). 0 or -1.
    int open(const std::string& path, const std::string& tempFolder, int language);
    // The header row: the column titles.
    int writeHeader(const std::vector<std::string>& titles);
    // One sample: its number and the 26 columns of its record line ("." decimals).
    int writeSample(int number, const std::vector<std::string>& columns);
    // Adds the summary sheet and the chart and writes the file. 0 or -1.
    int finish(const RecordingSummary& summary, const std::string& flowTitle);
    // Drops the workbook without writing it.
    void abandon();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// A column text as a number: the whole text (blanks around it allowed) must be one.
bool numberOfText(const std::string& text, double& out);

} // namespace ks
