#pragma once

#include "framework/FieldList.h"
#include "shell/DialogKS.h"

namespace ks::gui {

class CDialogTemplate;

// Which kind of meter a new settings sheet is for, when no meter is there (template 122):
// one choice list, "Monocorde", "Bicorde" or "Biconduite", storing 1, 2 or 3. It opens on
// the configuration's "Selection Type" and OK stores the choice back there.
class CApplicationSelectionDlg : public CDialogKS {
    Q_OBJECT
public:
    static constexpr int kTemplate = 122;
    static constexpr int kChoice = 1700;

    explicit CApplicationSelectionDlg(QWidget* parent = nullptr);

    // 1 one chord, 2 two chords, 3 two pipes.
    int selection() const;
    void setSelection(int type);
    CDialogTemplate* body() const { return m_body; }

public slots:
    void accept() override;

private:
    ks::CFieldList m_fields;
    CDialogTemplate* m_body;
};

} // namespace ks::gui
