#pragma once

namespace ks {

// A message the window must show after a command: text and caption numbers of the text
// table. A text number of 0 means there is nothing to show.
struct ShellMessage {
    int text = 0;
    int caption = 0;

    bool any() const { return text != 0; }
    bool operator==(const ShellMessage&) const = default;
};

namespace shelltext {
inline constexpr int kCannotOpenDestination = 112;
inline constexpr int kSameSourceAndDestination = 115;
inline constexpr int kSaveAsFailed = 116;
inline constexpr int kErrorCaption = 119;
inline constexpr int kFile = 127;
} // namespace shelltext

} // namespace ks
