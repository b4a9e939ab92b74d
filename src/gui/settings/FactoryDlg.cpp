#include "settings/FactoryDlg.h"

#include "settings/SettingsIds.h"
#include "settings/SettingsTexts.h"

namespace ks::gui {

namespace {

namespace F = ks::settings::factory;
namespace tx = ks::settings::text;

constexpr int kFunctionGroup = 141; // "Fonction"
constexpr int kGeneralPage = 146;   // "Général"
constexpr int kLinearPage = 162;    // "Linéarisation"
constexpr int kProbePage = 270;     // "Sonde spéciale"
constexpr int kProbeA = 273;        // "Sonde SA"
constexpr int kProbeB = 274;        // "Sonde SB"

std::vector<TemplateEntry> factoryTemplate() {
    using namespace tpl;
    std::vector<TemplateEntry> t = {
        page(kGeneralPage),
        column(),
        titledGroup(kFunctionGroup),
        field(F::kFunction),
        field(F::kSimulatedFlow),
        field(F::kRipple),
        end(),
        titledGroup(kGeneralPage),
        field(F::kExternalCoefficient),
        field(F::kGainMax),
        field(F::kLanguage),
        field(F::kDeltaTFilter),
        end(),
        column(),
        titledGroup(tx::kTxRxMode1),
        field(F::kTxDelay),
        field(F::kTxRxMode1),
        field(F::kTxRxMode2),
        field(F::kAgcRate),
        field(F::kRxSupply),
        field(F::kTxSupply),
        end(),

        page(kLinearPage),
        column(),
        titledGroup(kLinearPage),
        field(F::kReferenceFlow),
        field(F::kReferenceUnit),
    };
    for (int k = 0; k <= 10; ++k)
        t.push_back(field(F::kCoefficient0 + 10 * k));
    t.push_back(end());

    const std::vector<TemplateEntry> probes = {
        page(kProbePage),
        column(),
        titledGroup(kProbeA),
        field(F::kTextA),
        field(F::kT0A),
        field(F::kAngleA),
        field(F::kFrequencyA),
        end(),
        column(),
        titledGroup(kProbeB),
        field(F::kTextB),
        field(F::kT0B),
        field(F::kAngleB),
        field(F::kFrequencyB),
        end(),
    };
    t.insert(t.end(), probes.begin(), probes.end());
    const std::vector<TemplateEntry> buttons = CParameterDlg::buttonRow();
    t.insert(t.end(), buttons.begin(), buttons.end());
    return t;
}

} // namespace

CFactoryDlg::CFactoryDlg(int mode, ks::CJBusLink& link, QWidget* parent, std::string filePath)
    : CServiceDlg(ks::ParameterKind::Factory, kTemplate, mode, link, parent, std::move(filePath)) {
    setBodyTemplate(factoryTemplate());
}

std::unique_ptr<CServiceDlg> CFactoryDlg::makeReference() {
    return std::make_unique<CFactoryDlg>(kComparisonMode, link(), this);
}

} // namespace ks::gui
