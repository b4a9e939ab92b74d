#include "measurement/MeasureView.h"

#include "measurement/MeasureIds.h"

#include <cstdio>

namespace ks {

namespace {

namespace id = measure::id;

} // namespace

const std::vector<MeasureGroupLayout>& measureLayout() {
    static const std::vector<MeasureGroupLayout> kLayout = {
        {0, {id::kMeterClock, id::kFaultLine}},
        {id::kVersionGroup, {id::kFamilyName, id::kFirmware, id::kBoard, id::kSerialNumber}},
        {0,
         {id::kFlow, id::kFlowQT, id::kFlowQ1, id::kFlowQ2, id::kMeanVelocity,
          id::kMeanSoundSpeed}},
        {id::kKhGroup, {id::kKh1, id::kKh2}},
        {id::kChord1Group,
         {id::kTransit1, id::kDeltaT1, id::kVelocity1, id::kSoundSpeed1, id::kGain1, id::kMargin1,
          id::kQuality1}},
        {id::kChord2Group,
         {id::kTransit2, id::kDeltaT2, id::kVelocity2, id::kSoundSpeed2, id::kGain2, id::kMargin2,
          id::kQuality2}},
        {id::kProbeGroup, {id::kProbeName, id::kProbeDiameter1, id::kProbeDiameter2}},
        {id::kTotaliserGroup, {id::kTotaliser1, id::kTotaliser2}},
    };
    return kLayout;
}

std::vector<ShownGroup> shownMeasurement(const CFieldList& fields) {
    std::vector<ShownGroup> groups;
    for (const MeasureGroupLayout& layout : measureLayout()) {
        ShownGroup g;
        g.id = layout.groupId;
        if (layout.groupId != 0) {
            const CField* box = fields.find(layout.groupId);
            if (!box || !box->isShown())
                continue;
            g.title = box->label();
        }
        for (int fieldId : layout.fieldIds) {
            const CField* f = fields.find(fieldId);
            if (!f || !f->isShown())
                continue;
            g.fields.push_back({fieldId, f->label(), f->shownText(), f->unit()});
        }
        if (!g.fields.empty())
            groups.push_back(std::move(g));
    }
    return groups;
}

std::string measurementText(const std::vector<ShownGroup>& groups) {
    std::string out;
    for (const ShownGroup& g : groups) {
        if (!g.title.empty())
            out += g.title + "\n";
        for (const ShownField& f : g.fields) {
            // A line with nothing in it yet (a probe name the program does not know).
            if (f.label.empty() && f.value.empty() && f.unit.empty())
                continue;
            out += "  ";
            if (!f.label.empty())
                out += f.label + ": ";
            out += f.value;
            if (!f.unit.empty())
                out += " " + f.unit;
            out += "\n";
        }
    }
    return out;
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string measurementJson(const std::vector<ShownGroup>& groups, long long sample) {
    std::string out = "{\"sample\":" + std::to_string(sample) + ",\"groups\":[";
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const ShownGroup& g = groups[i];
        out += i ? ",{" : "{";
        out += "\"id\":" + std::to_string(g.id) + ",\"title\":" + jsonString(g.title) +
               ",\"fields\":[";
        for (std::size_t k = 0; k < g.fields.size(); ++k) {
            const ShownField& f = g.fields[k];
            out += k ? ",{" : "{";
            out += "\"id\":" + std::to_string(f.id) + ",\"label\":" + jsonString(f.label) +
                   ",\"value\":" + jsonString(f.value) + ",\"unit\":" + jsonString(f.unit) + "}";
        }
        out += "]}";
    }
    return out + "]}";
}

} // namespace ks
