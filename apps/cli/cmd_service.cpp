// save-all and install: what "&Sauvegarder tout" and the transfer chooser ("I&nitialisation")
// do in the desktop program.
#include "CliCommand.h"
#include "CliPrompts.h"
#include "ParameterCommands.h"
#include "i18n/DateTime.h"
#include "settings/TransferChooser.h"

#include <cstdio>
#include <ostream>

namespace ks::cli {

int reportFailure(CliContext& ctx, int code);

namespace {

// save-all BASE: the five dialogs of the chain read from the meter, each saved to BASE.EXT;
// the chain stops at the first that fails.
int runSaveAll(CliContext& ctx) {
    if (ctx.args.size() != 1 || ctx.args[0].empty() || ctx.args[0].rfind("--", 0) == 0) {
        *ctx.err << "usage: save-all BASE (writes BASE.eta, .rus, .sa, .rsp, .dev)\n";
        return 2;
    }
    const ParameterContext context = parameterContext(ctx);
    for (ParameterKind kind : saveAllKinds()) {
        auto dialog = makeParameterSet(kind, context);
        const std::string path = ctx.args[0] + "." + kindExtension(kind, context.language);
        if (int r = readDialog(ctx, *dialog))
            return r;
        if (int r = saveDialog(ctx, *dialog, path))
            return r;
        *ctx.out << path << "\n";
    }
    return 0;
}

// The command line as the chooser's host: the slave number is the one this run talks to.
class CliInstallationHost : public CInstallationHost {
public:
    explicit CliInstallationHost(CliContext& ctx) : m_ctx(ctx) {}
    int slaveNumber() const override { return m_ctx.options.slave; }
    void setSlaveNumber(int slave) override { m_ctx.options.slave = slave; }
    std::unique_ptr<CBlockExchange> exchangeFor(CParameterSet& dialog) override;

private:
    // The exchange with its failure code, handed out as a block exchange.
    class Exchange : public CBlockExchange {
    public:
        Exchange(CliContext& ctx, std::unique_ptr<MeterExchange> m)
            : m_ctx(ctx), m_m(std::move(m)) {}
        int readBlock(int block) override { return report(m_m->exchange->readBlock(block)); }
        int writeBlock(int block) override { return report(m_m->exchange->writeBlock(block)); }

    private:
        int report(int r) {
            if (r != 0 && m_m->failure != 0) {
                reportFailure(m_ctx, m_m->failure);
                m_m->failure = 0;
            }
            return r;
        }
        CliContext& m_ctx;
        std::unique_ptr<MeterExchange> m_m;
    };
    // A link that cannot open fails every exchange; the reason was printed once.
    class NoMeter : public CBlockExchange {
    public:
        int readBlock(int) override { return -1; }
        int writeBlock(int) override { return -1; }
    };

    CliContext& m_ctx;
};

std::unique_ptr<CBlockExchange> CliInstallationHost::exchangeFor(CParameterSet& dialog) {
    auto m = meterExchange(m_ctx, dialog, m_ctx.options.slave);
    if (!m)
        return std::make_unique<NoMeter>();
    return std::make_unique<Exchange>(m_ctx, std::move(m));
}

constexpr const char* kInstallUsage =
    "usage: install [--settings F.eta] [--factory F.rus] [--outputs F.sa]\n";

int runInstall(CliContext& ctx) {
    CliInstallationHost host(ctx);
    CliPrompts prompts(*ctx.err, true);
    CTransferChooser chooser(host, prompts, parameterContext(ctx));
    struct Option {
        const char* name;
        CTransferChooser::Item item;
        ParameterKind kind;
    };
    static constexpr Option kOptions[] = {
        {"--settings", CTransferChooser::kSettings, ParameterKind::Settings},
        {"--factory", CTransferChooser::kFactory, ParameterKind::Factory},
        {"--outputs", CTransferChooser::kOutputs, ParameterKind::Outputs},
    };
    const std::vector<std::string>& a = ctx.args;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Option* found = nullptr;
        for (const Option& o : kOptions)
            if (a[i] == o.name)
                found = &o;
        if (!found || i + 1 >= a.size()) {
            *ctx.err << kInstallUsage;
            return 2;
        }
        const std::string& path = a[++i];
        if (kindOfPath(path) != found->kind) {
            *ctx.err << path << ": " << found->name << " takes a ." << kindExtension(found->kind)
                     << " file\n";
            return 2;
        }
        chooser.choose(found->item, true);
        chooser.setSource(found->item, path);
    }
    const int configured = host.slaveNumber();
    const CTransferChooser::Outcome out = chooser.run(CDateTime::now().fields());
    static constexpr const char* kNames[] = {"settings", "factory", "outputs"};
    for (std::size_t k = 0; k < 3; ++k) {
        const CTransferChooser::ItemOutcome& item = out.items[k];
        if (!item.chosen)
            continue;
        std::string written;
        for (int b : item.transfer.written) {
            char buf[16];
            std::snprintf(buf, sizeof buf, " 0x%04X", static_cast<unsigned>(b));
            written += buf;
        }
        *ctx.out << kNames[k] << ": " << (item.ok ? "ok" : "failed")
                 << (written.empty() ? "" : ", written:" + written) << "\n";
    }
    *ctx.out << "JBus slave number " << host.slaveNumber()
             << (host.slaveNumber() == configured ? " (as configured)" : "") << "\n";
    return out.ok ? 0 : 1;
}

const CliCommandRegistration saveAllReg{
    "save-all", "save-all BASE: the five parameter files of the meter", &runSaveAll};
const CliCommandRegistration installReg{
    "install", "install [--settings F.eta] [--factory F.rus] [--outputs F.sa]", &runInstall};

} // namespace

} // namespace ks::cli
