#pragma once

#include "framework/FieldList.h"
#include "framework/FieldListBlocks.h"
#include "i18n/DateTime.h"

#include <string>
#include <vector>

namespace ks {

// The outcome of saving or loading a parameter file, with the message a user gets (in the
// fields' language, caption "Erreur") when it failed.
struct ParameterFileResult {
    enum class Status { Ok, CannotOpen, Incorrect };
    Status status = Status::Ok;
    std::string message;
    bool ok() const { return status == Status::Ok; }
};

// Saves the blocks of `order` as the records of a parameter file, after a header naming the
// dialog (caption), the program and the meter (identification fields of the list). The file is
// written under a temporary name in the same folder and renamed over the old one, so a save
// that fails leaves the previous file as it was.
ParameterFileResult saveParameterFile(const std::string& path, const std::string& caption,
                                      const CFieldListBlocks& blocks, const std::vector<int>& order,
                                      const CalendarTime& now);

// Loads a parameter file into the fields: the identification lines of its header, then one
// record per block of `order`, each of exactly the block's register count. Everything is
// checked before anything is taken, so a refused file leaves every field as it was.
// `firmwareField`: the dialog's own firmware display, or 0.
ParameterFileResult loadParameterFile(const std::string& path, CFieldListBlocks& blocks,
                                      const std::vector<int>& order, int firmwareField = 0);

} // namespace ks
