#pragma once

#include "framework/FieldList.h"
#include "i18n/TextTable.h"

#include <functional>
#include <string>
#include <vector>

namespace ks {

class CProbeNameTable;

// What the measurement dialog shows, decided on its fields: which lines and groups are
// visible for the meter at hand, the composite labels and units, the serial number, the
// probe name and the fault line. The dialog mirrors the fields into its widgets after each
// refresh; the command-line tool prints them.
class CMeasureDisplay {
public:
    // Lines and groups hidden until the first refresh after a decoded measurement block.
    static const std::vector<int>& initiallyHidden();

    // probes: the program's probe names (none: every probe name is empty).
    CMeasureDisplay(CFieldList& fields, const CProbeNameTable* probes);

    // The "Application" option: 0 flow, 1 speed.
    void setApplicationSetting(int setting) { m_applicationSetting = setting; }
    int applicationSetting() const { return m_applicationSetting; }
    // Stored samples shown from a file: the refresh replays the graph from them.
    void setFileOnly(bool fileOnly) { m_fileOnly = fileOnly; }
    void setReplay(std::function<void()> replay) { m_replay = std::move(replay); }

    // Hides the graph and every line and group, and clears the composed texts.
    void hideAll();
    // Runs the one-time layout again at the next refresh (a full scale was read: this may be
    // another meter).
    void requestLayout() { m_firstRefreshDone = false; }
    bool firstRefreshDone() const { return m_firstRefreshDone; }

    // The refresh. While the communication status is not 0 the last values and layout stay.
    void refresh(int communicationStatus = 0);

    // 1 one chord, 2 two chords, 3 two pipes; decided at the layout refresh.
    int applicationType() const { return m_applicationType; }
    // The fault list entry the fault line shows.
    int faultCode() const;

private:
    void layOut();
    void showFields(const std::vector<int>& ids, bool shown);
    void show(int id, bool shown);
    double number(int id) const;
    int integer(int id) const;
    // Entry `index` of a field's list in the field's language; "" outside the list.
    std::string entry(int listFieldId) const;
    void setMarginLabel(int marginId, int gainTypeId, bool shown);

    CFieldList& m_fields;
    const CProbeNameTable* m_probes;
    int m_applicationSetting = 0;
    int m_applicationType = 1;
    bool m_firstRefreshDone = false;
    bool m_fileOnly = false;
    std::function<void()> m_replay;
    CTextTable m_texts;
};

} // namespace ks
