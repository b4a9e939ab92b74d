#include "settings/TransferChooser.h"

#include "app/UserPrompts.h"
#include "i18n/TextTable.h"
#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"

namespace ks {

namespace {

namespace tx = settings::text;

constexpr std::array<int, 3> kItemIds{6100, 6110, 6120};
constexpr std::array<int, 3> kItemTitles{300, 303, 304};
constexpr std::array<ParameterKind, 3> kItemKinds{ParameterKind::Settings, ParameterKind::Factory,
                                                  ParameterKind::Outputs};

// Puts the slave number setting back however the transfer ends.
class SlaveNumberGuard {
public:
    explicit SlaveNumberGuard(CInstallationHost& host) : m_host(host), m_saved(host.slaveNumber()) {
        m_host.setSlaveNumber(1);
    }
    ~SlaveNumberGuard() { m_host.setSlaveNumber(m_saved); }
    SlaveNumberGuard(const SlaveNumberGuard&) = delete;
    SlaveNumberGuard& operator=(const SlaveNumberGuard&) = delete;

private:
    CInstallationHost& m_host;
    int m_saved;
};

} // namespace

CTransferChooser::CTransferChooser(CInstallationHost& host, CUserPrompts& prompts,
                                   const ParameterContext& context)
    : m_host(host), m_prompts(prompts), m_context(context) {
    m_fields.setLanguage(context.language);
    for (std::size_t k = 0; k < 3; ++k)
        m_fields.add({.id = kItemIds[k],
                      .label = kItemTitles[k],
                      .list = tx::kYesNo,
                      .kind = FieldKind::kList,
                      .value = "1"});
    m_fields.resetToDefaults();
}

void CTransferChooser::choose(Item item, bool yes) {
    m_fields.find(kItemIds[static_cast<std::size_t>(item)])->setListIndex(yes ? 0 : 1);
}

bool CTransferChooser::chosen(Item item) const {
    return m_fields.find(kItemIds[static_cast<std::size_t>(item)])->listIndex() == 0;
}

CTransferChooser::ItemOutcome CTransferChooser::runItem(Item item, const CalendarTime& now) {
    ItemOutcome out;
    out.chosen = true;
    const std::size_t k = static_cast<std::size_t>(item);
    std::unique_ptr<CParameterSet> dialog = makeParameterSet(kItemKinds[k], m_context);
    std::unique_ptr<CBlockExchange> meter = m_host.exchangeFor(*dialog);
    if (!m_sources[k].empty()) {
        const ParameterFileResult loaded = dialog->load(m_sources[k]);
        if (!loaded.ok()) {
            CTextTable texts;
            out.message = loaded.message;
            m_prompts.message(m_sources[k] + ": " + loaded.message,
                              texts.text(tx::kError, m_context.language),
                              CUserPrompts::Icon::Error);
            return out;
        }
    } else if (dialog->readFromMeter(*meter) != 0) {
        out.transfer.status = TransferOutcome::Status::ReadFailed;
        return out;
    }
    dialog->prepareInstallation(now);
    out.transfer = dialog->transfer(*meter, m_prompts, now, false);
    out.ok = out.transfer.status == TransferOutcome::Status::Written;
    if (out.ok && item == kSettings) {
        // The meter answers at the number the settings gave it from now on.
        const CField* slave = dialog->fields().find(settings::id::kSlave);
        const int n = slave ? static_cast<int>(slave->number()) : 0;
        if (n >= 1 && n <= 247 && n != m_host.slaveNumber())
            m_host.setSlaveNumber(n);
    }
    return out;
}

CTransferChooser::Outcome CTransferChooser::run(const CalendarTime& now) {
    Outcome out;
    SlaveNumberGuard guard(m_host);
    bool ok = true;
    for (Item item : {kSettings, kFactory, kOutputs}) {
        m_host.advanceProgress();
        if (!chosen(item))
            continue;
        ItemOutcome& result = out.items[static_cast<std::size_t>(item)];
        result = runItem(item, now);
        ok = ok && result.ok;
        // Factory settings and outputs only go to a meter whose settings went in.
        if (item == kSettings && !result.ok)
            break;
    }
    out.ok = ok;
    return out;
}

} // namespace ks
