#pragma once

#include "shell/OptionsDlg.h"

namespace ks::gui {

// The options dialog of the main window: the program's options and the measurement page
// (template 107): the application (flow or speed), the range of the live graph, and the
// test macro and test folder with their browse and clear buttons.
class CMeasureOptionsDlg : public COptionsDlg {
    Q_OBJECT

public:
    static constexpr int kApplication = 1041;
    static constexpr int kGraphGroup = 1545;
    static constexpr int kGraphMin = 1281;
    static constexpr int kGraphMax = 1274;
    static constexpr int kMacroTest = 1259;
    static constexpr int kPathTest = 1338;
    static constexpr int kBrowseMacro = 1610;
    static constexpr int kBrowseFolder = 1611;
    static constexpr int kClearMacro = 1614;
    static constexpr int kClearFolder = 1615;

    CMeasureOptionsDlg(ks::CJBusLink& link, QWidget* parent = nullptr);

    CButtonKS* pageButton(int control) const;

protected:
    void onInitDialog() override;
    void onButton(int control) override;
    void loadMoreValues() override;
    void saveMoreValues() override;

private:
    void addButtons(int fieldId, int browse, int clear);
    void browseMacro();
    void browseFolder();
    void clearText(int fieldId);

    std::map<int, CButtonKS*> m_pageButtons;
};

} // namespace ks::gui
