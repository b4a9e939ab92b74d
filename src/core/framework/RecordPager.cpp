#include "framework/RecordPager.h"

#include "framework/DeviceTexts.h"

namespace ks {

PageButton pageButtonOfControl(int control) {
    switch (control) {
    case kFirstPageControl:
        return PageButton::First;
    case kPreviousPageControl:
        return PageButton::Previous;
    case kNextPageControl:
        return PageButton::Next;
    case kLastPageControl:
        return PageButton::Last;
    default:
        return PageButton::None;
    }
}

CRecordPager::CRecordPager(CRecordSource& source, CBlockFields& fields, std::vector<int> blockList)
    : m_source(source), m_fields(fields), m_blocks(std::move(blockList)) {}

int CRecordPager::sampleCount() const {
    return m_blocks.empty() ? 0 : m_source.recordCount() / static_cast<int>(m_blocks.size());
}

int CRecordPager::press(PageButton button) {
    int page = m_page;
    switch (button) {
    case PageButton::First:
        page = 0;
        break;
    case PageButton::Previous:
        page = m_page - 1;
        break;
    case PageButton::Next:
        page = m_page + 1;
        break;
    case PageButton::Last:
        page = sampleCount() - 1;
        break;
    case PageButton::None:
        return -1;
    }
    return showPage(page);
}

int CRecordPager::showPage(int pageIndex) {
    const int blocks = static_cast<int>(m_blocks.size());
    if (pageIndex < 0 || pageIndex >= sampleCount())
        return -1;
    std::vector<Bytes> records(m_blocks.size());
    for (int i = 0; i < blocks; ++i)
        if (m_source.readRecord(blocks * pageIndex + i, records[i]) != 0)
            return -1;
    // Decoding only fails for a record shorter than its block: check them all before the
    // first one changes a field.
    for (int i = 0; i < blocks; ++i)
        if (records[i].size() < static_cast<std::size_t>(m_fields.blockSize(m_blocks[i])))
            return -1;
    for (int i = 0; i < blocks; ++i)
        m_fields.decodeBlock(m_blocks[i], records[i]);
    m_page = pageIndex;
    if (m_refresh)
        m_refresh();
    m_status = m_texts.text(devicetext::kRecording, m_language) + " " + std::to_string(m_page + 1) +
               " / " + std::to_string(sampleCount());
    updateButtons();
    return 0;
}

void CRecordPager::updateButtons() {
    PageButtons b;
    // Counted in whole samples: the records of an unfinished last sample (a recording cut
    // short) are no page to go to.
    const bool lastPage = m_page + 1 >= sampleCount();
    const bool firstPage = m_page == 0;
    if (lastPage) {
        b.next = b.last = false;
        b.focus = PageButton::Previous;
    }
    if (firstPage) {
        b.first = b.previous = false;
        b.focus = PageButton::Next;
    }
    // A recording of one sample leaves no button to go to: the focus stays where it was.
    if (lastPage && firstPage)
        b.focus = PageButton::None;
    m_buttons = b;
}

} // namespace ks
