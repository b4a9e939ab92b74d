#pragma once

#include "app/ProfileFile.h"
#include "app/UserPrompts.h"
#include "i18n/TextTable.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

namespace ks::gui {

class CDesktopApp;

// The base of every dialog of the program. It gives a dialog its language and texts, the
// configuration file current when it was built, a caption made of parts, message boxes in
// its language, and two habits: Escape never closes it, and it opens inside the screen's
// work area.
class CDialogKS : public QDialog {
    Q_OBJECT

public:
    static constexpr int kNoCaptionText = -1;
    static constexpr int kErrorCaption = 119;

    // Binds the dialog to the current configuration of the program and reads its language
    // from it (or takes this run's language, see CDesktopApp::setLanguageOverride).
    explicit CDialogKS(int templateNumber, QWidget* parent = nullptr);

    int templateNumber() const { return m_templateNumber; }
    CDesktopApp& app() const { return *m_app; }

    // Language, 1 French .. 5 Spanish.
    int language() const { return m_language; }
    // A value outside 1..5 is refused. The caller reloads its own texts afterwards.
    bool setLanguage(int language);
    // Reads the language again from the configuration (after the options changed it).
    void reloadLanguage();
    static constexpr int languageCount() { return 5; }

    // The first string of a text in this dialog's language; "" outside the table.
    QString text(int number) const;
    // All strings of a text (the entries of a choice list).
    QStringList textList(int number) const;
    // One entry of a text's list; "" when the index is outside the list.
    QString listItem(int number, int index) const;

    // Caption parts; each change recomposes the window title.
    void setCaptionText(int number);
    void setCaption(const QString& caption);
    // Shortened to its first 3 characters, "..." and its last 34 when longer than 40.
    void setConfigurationName(const QString& name);
    void setConfigurationNameUnshortened(const QString& name);
    void setCaptionTail(const QString& tail);
    int captionTextNumber() const { return m_captionTextNumber; }
    const QString& configurationName() const { return m_configurationName; }
    // The window title when the caption comes from a text number, else "".
    QString captionText() const;

    // Message boxes in this dialog's language, through the program's prompts.
    void errorBox(int textNumber, int captionNumber = kErrorCaption);
    void errorBoxWithDetail(int textNumber, const QString& detail,
                            int captionNumber = kErrorCaption);
    CUserPrompts::Answer question(int textNumber, const QString& detail, int captionNumber);

    // The configuration this dialog was built on.
    const CProfileFile& profile() const { return m_profile; }
    const std::string& configurationPath() const { return m_profile.path(); }
    double readNumber(std::string_view section, std::string_view key, double def) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    int writeNumber(std::string_view section, std::string_view key, double value) const;
    int writeString(std::string_view section, std::string_view key, std::string_view value) const;

    // Shows the dialog without a modal loop.
    void createModeless();

    // Moves the window onto its screen's work area (done each time the dialog is shown).
    void keepOnWorkArea();

protected:
    // Binds the dialog to another configuration file (the main window, after loading one).
    void bindProfile(const std::string& path);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void composeCaption();

    CDesktopApp* m_app;
    int m_templateNumber;
    CProfileFile m_profile;
    mutable CTextTable m_texts;
    int m_language = 1;
    int m_captionTextNumber = kNoCaptionText;
    QString m_caption;
    QString m_configurationName;
    QString m_captionTail;
};

} // namespace ks::gui
