#pragma once

#include "framework/FieldList.h"

#include <string>
#include <vector>

namespace ks {

// Where the measurement dialog places its lines: the groups in screen order, each with its
// lines. A group id of 0 is an untitled group (the top lines, the flow lines).
struct MeasureGroupLayout {
    int groupId = 0;
    std::vector<int> fieldIds;
};
const std::vector<MeasureGroupLayout>& measureLayout();

// One line as the dialog shows it.
struct ShownField {
    int id = 0;
    std::string label;
    std::string value;
    std::string unit;
};

struct ShownGroup {
    int id = 0;
    std::string title; // "" for an untitled group
    std::vector<ShownField> fields;
};

// The visible groups with their visible lines, in the fields' language. A line shows when it
// and its group are shown; a group without a visible line is left out.
std::vector<ShownGroup> shownMeasurement(const CFieldList& fields);

// For a terminal: each group's title on a line of its own, then "  label: value unit" lines.
std::string measurementText(const std::vector<ShownGroup>& groups);

// One JSON object on one line: {"sample":N,"groups":[{"id":..,"title":..,"fields":[{"id":..,
// "label":..,"value":..,"unit":..}, ...]}, ...]}.
std::string measurementJson(const std::vector<ShownGroup>& groups, long long sample);

// A JSON string literal of UTF-8 text: quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

} // namespace ks
