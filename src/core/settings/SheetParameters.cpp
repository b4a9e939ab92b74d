#include "settings/SheetParameters.h"

#include "app/UserPrompts.h"
#include "framework/MeterDate.h"
#include "framework/ValueType.h"
#include "settings/SettingsIds.h"

namespace ks {

namespace {

SheetContext sheetContext(const ParameterContext& c) {
    SheetContext s;
    s.velocity = c.velocity;
    s.selectionType = c.selectionType;
    return s;
}

// The installation asks nothing: its questions are answered Yes, its messages still shown.
class CAnsweringYes : public CUserPrompts {
public:
    explicit CAnsweringYes(CUserPrompts& inner) : m_inner(inner) {}
    void message(const std::string& text, const std::string& caption, Icon icon) override {
        m_inner.message(text, caption, icon);
    }
    Answer question(const std::string&, const std::string&) override { return Answer::Yes; }
    std::string openFile(const std::string& t, const std::string& f,
                         const std::string& filter) override {
        return m_inner.openFile(t, f, filter);
    }
    std::string saveFile(const std::string& t, const std::string& f, const std::string& filter,
                         const std::string& suffix) override {
        return m_inner.saveFile(t, f, filter, suffix);
    }

private:
    CUserPrompts& m_inner;
};

} // namespace

CSheetParameters::CSheetParameters(const ParameterContext& context)
    : m_sheet(sheetContext(context), context.language) {
    m_sheet.refresh();
}

int CSheetParameters::firmwareField() const {
    return settings::id::kFirmware;
}

int CSheetParameters::readFromMeter(CBlockExchange& meter) {
    if (m_sheet.mode() != sheetmode::kInstallation)
        m_sheet.setMode(sheetmode::kMeter);
    return m_sheet.readFromMeter(meter);
}

void CSheetParameters::afterLoad() {
    m_sheet.setMode(sheetmode::kFile);
    m_sheet.rules().valuesLoaded();
    m_sheet.refresh();
}

TransferOutcome CSheetParameters::transfer(CBlockExchange& meter, CUserPrompts& prompts,
                                           const CalendarTime& now, bool ask) {
    CAnsweringYes yes(prompts);
    CSettingsTransfer transfer(m_sheet.fields(), m_sheet.rules(), meter, ask ? prompts : yes);
    TransferOutcome out = transfer.run(now);
    // The installation opened on the meter only prepares the order; its opening writes it.
    if (out.status == TransferOutcome::Status::Prepared)
        out = transfer.writeOrder(out.order);
    return out;
}

void CSheetParameters::prepareInstallation(const CalendarTime& now) {
    namespace id = settings::id;
    // Values read from the meter go back in installation mode; values from a file keep the
    // file mode so that the application type and the special probe are checked.
    if (m_sheet.mode() == sheetmode::kMeter)
        m_sheet.setMode(sheetmode::kInstallation);
    if (m_sheet.mode() == sheetmode::kInstallation) {
        m_sheet.rules().prepareInstallation(dateNumberOf(valuetype::kMeterDate3, now));
        return;
    }
    for (int f : {id::kSyncClock, id::kResetTotaliser1, id::kResetTotaliser2})
        m_sheet.fields().find(f)->setListIndex(0);
}

} // namespace ks
