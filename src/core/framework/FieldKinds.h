#pragma once

namespace ks {

// Bits of a field's kind: which value control shows the field and how it behaves.
struct FieldKind {
    static constexpr unsigned kList = 0x0001;       // choice list; the value is an entry index
    static constexpr unsigned kEdit = 0x0002;       // edit box
    static constexpr unsigned kNumeric = 0x0004;    // numeric text control with range and format
    static constexpr unsigned kDisplay = 0x0008;    // read-only display; format "...l": list entry
    static constexpr unsigned kSorted = 0x0020;     // with kList: entries sorted by text
    static constexpr unsigned kGroup = 0x0040;      // group box titled by the label
    static constexpr unsigned kPageGroup = 0x0080;  // titled group of a page
    static constexpr unsigned kHeading = 0x0100;    // group variant; alone: a print heading
    static constexpr unsigned kSeparator = 0x0200;  // print separator, no control
    static constexpr unsigned kSeparator2 = 0x0400; // second print separator, no control
    static constexpr unsigned kPlot = 0x0800;       // plot control, values become points
    static constexpr unsigned kGrid = 0x1000;       // grid
    static constexpr unsigned kTextOnly = 0x2000;   // a text, no value control
    static constexpr unsigned kNoClamp = 0x4000;    // numbers are not held to minimum/maximum

    // The bits whose fields take part in reading and writing register blocks.
    static constexpr unsigned kValueControls = kList | kEdit | kNumeric | kDisplay;
    static constexpr unsigned kGroupBoxes = kGroup | kPageGroup | kHeading;
};

// Presentation flags of a field.
struct FieldFlag {
    static constexpr unsigned kExcluded = 0x01;      // hidden by a dialog rule
    static constexpr unsigned kValueOnly = 0x04;     // no control, the value lives in the field
    static constexpr unsigned kDisabled = 0x08;      // label, value and unit disabled
    static constexpr unsigned kHidden = 0x10;        // label, value and unit hidden
    static constexpr unsigned kValueDisabled = 0x20; // only the value control disabled
};

} // namespace ks
