#pragma once

#include "framework/BlockFields.h"
#include "i18n/TextLimits.h"
#include "i18n/TextTable.h"
#include "link/JBusFrame.h"

#include <functional>
#include <string>
#include <vector>

namespace ks {

// Records of a recording file, one block image each (the file container provides them).
class CRecordSource {
public:
    virtual ~CRecordSource() = default;
    virtual int recordCount() const = 0;
    // 0 with the record's bytes, or -1 when it cannot be read.
    virtual int readRecord(int index, Bytes& out) = 0;
};

enum class PageButton { None, First, Previous, Next, Last };

// Control identifiers of the page buttons.
inline constexpr int kFirstPageControl = 1602;
inline constexpr int kPreviousPageControl = 1613;
inline constexpr int kNextPageControl = 1619;
inline constexpr int kLastPageControl = 1605;
inline constexpr int kRecordingStatusControl = 1192;
// The page button of a control identifier; None for any other control.
PageButton pageButtonOfControl(int control);

struct PageButtons {
    bool first = true;
    bool previous = true;
    bool next = true;
    bool last = true;
    PageButton focus = PageButton::None;

    bool operator==(const PageButtons&) const = default;
};

// Pages through a recording: page i shows sample i, whose blocks are records
// blocks * i + position of the block in the dialog's block list.
class CRecordPager {
public:
    CRecordPager(CRecordSource& source, CBlockFields& fields, std::vector<int> blockList);

    void setLanguage(int language) { m_language = language; }
    // The display refresh that runs after a page was decoded.
    void setRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }

    // Moves to another page and shows it. 0, or -1 when the page does not exist or one of
    // its records cannot be read or decoded; then the page, the fields, the status text and
    // the buttons stay as they were.
    int press(PageButton button);
    // Shows a page: reads every record of the sample first, so that a sample with a bad
    // record changes nothing, then decodes them, refreshes, and sets the status text and
    // the buttons. 0 or -1 as press().
    int showPage(int pageIndex);

    int pageIndex() const { return m_page; }
    // Samples in the file: records divided by the blocks of a sample.
    int sampleCount() const;
    // "Enregistrement 3 / 10" after a page was shown.
    const std::string& statusText() const { return m_status; }
    const PageButtons& buttons() const { return m_buttons; }

private:
    void updateButtons();

    CRecordSource& m_source;
    CBlockFields& m_fields;
    std::vector<int> m_blocks;
    std::function<void()> m_refresh;
    int m_language = kLanguageFrench;
    int m_page = 0;
    std::string m_status;
    PageButtons m_buttons;
    CTextTable m_texts;
};

} // namespace ks
