// The transfer chooser's sequence on a meter in memory.
#include "settings/TransferChooser.h"
#include "settings/ServiceIds.h"
#include "settings/SettingsIds.h"
#include "support/MemoryMeter.h"
#include "support/RecordingPrompts.h"
#include "support/RunProgram.h"

#include <gtest/gtest.h>

using namespace ks;
using namespace ks::test;

namespace {

const CalendarTime kNow{2026, 12, 10, 14, 5, 30};

// The program around the chooser: a slave number setting with its history, a progress count.
class Host : public CInstallationHost {
public:
    int slaveNumber() const override { return slave; }
    void setSlaveNumber(int s) override {
        slave = s;
        history.push_back(s);
    }
    std::unique_ptr<CBlockExchange> exchangeFor(CParameterSet& dialog) override {
        return std::make_unique<MemoryExchange>(meter, dialog.blocks(), slave);
    }
    void advanceProgress() override { ++steps; }

    MemoryMeter meter;
    int slave = 7;
    std::vector<int> history;
    int steps = 0;
};

struct Case {
    const char* name;
    bool settings, factory, outputs;
    int failWrite;
    bool ok;
    std::vector<std::string> log;
};

TEST(TransferChooser, SequenceAndTheSlaveNumberPutBack) {
    const std::vector<std::string> settingsItem{"r 0x0010", "r 0x1100", "r 0x5000", "r 0x4000",
                                                "r 0x2200", "w 0x2301", "w 0x1100", "w 0x2306"};
    auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<std::string> factoryItem{"r 0xFF00", "r 0x2200", "w 0x2200"};
    const std::vector<std::string> outputsItem{"r 0xFF00", "r 0x3000", "w 0x3000"};
    const Case cases[] = {
        {"nothing chosen", false, false, false, -1, true, {}},
        {"everything", true, true, true, -1, true,
         join(join(settingsItem, factoryItem), outputsItem)},
        {"outputs only", false, false, true, -1, true, outputsItem},
        // A failing settings item stops the chooser before the others.
        {"settings fail",
         true,
         true,
         true,
         0x1100,
         false,
         {"r 0x0010", "r 0x1100", "r 0x5000", "r 0x4000", "r 0x2200", "w 0x2301", "w 0x1100"}},
        // A failing factory item does not keep the outputs from the meter.
        {"factory fails", false, true, true, 0x2200, false, join(factoryItem, outputsItem)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Host host;
        host.meter.failWrite = c.failWrite;
        // The new meter answers as slave 1 and says so in its settings.
        host.meter.images[0x1100] = Bytes(140, 0);
        host.meter.images[0x1100][53] = 1;
        RecordingPrompts prompts; // answers No: the installation must not ask
        CTransferChooser chooser(host, prompts, {});
        for (int k = 0; k < 3; ++k)
            EXPECT_FALSE(chooser.chosen(static_cast<CTransferChooser::Item>(k)));
        chooser.choose(CTransferChooser::kSettings, c.settings);
        chooser.choose(CTransferChooser::kFactory, c.factory);
        chooser.choose(CTransferChooser::kOutputs, c.outputs);
        const CTransferChooser::Outcome out = chooser.run(kNow);
        EXPECT_EQ(out.ok, c.ok);
        EXPECT_EQ(host.meter.log, c.log);
        for (int s : host.meter.slaves)
            EXPECT_EQ(s, 1);
        EXPECT_EQ(host.slave, 7);
        ASSERT_FALSE(host.history.empty());
        EXPECT_EQ(host.history.front(), 1);
        EXPECT_EQ(host.history.back(), 7);
        EXPECT_EQ(host.steps, c.failWrite == 0x1100 ? 1 : 3);
    }
}

TEST(TransferChooser, InstallationFromFiles) {
    TempFolder folder;
    Host host;
    RecordingPrompts prompts;
    // A factory file with a linearisation point the meter does not have yet.
    const std::string factory = folder.path() + "/f.rus";
    {
        auto dialog = makeParameterSet(ParameterKind::Factory);
        dialog->fields().find(settings::factory::kCoefficient0 + 50)->setText("1.234");
        ASSERT_TRUE(dialog->save(factory, kNow).ok());
    }
    CTransferChooser chooser(host, prompts, {});
    chooser.choose(CTransferChooser::kFactory, true);
    chooser.setSource(CTransferChooser::kFactory, factory);
    chooser.choose(CTransferChooser::kOutputs, true);
    chooser.setSource(CTransferChooser::kOutputs, folder.path() + "/missing.sa");
    const CTransferChooser::Outcome out = chooser.run(kNow);
    EXPECT_FALSE(out.ok);
    EXPECT_TRUE(out.items[CTransferChooser::kFactory].ok);
    EXPECT_FALSE(out.items[CTransferChooser::kOutputs].ok);
    // The file goes to the meter as it is; the missing one is reported and nothing is read.
    EXPECT_EQ(host.meter.log, (std::vector<std::string>{"w 0x2200"}));
    EXPECT_EQ(host.meter.images[0x2200][26], 0x04);
    EXPECT_EQ(host.meter.images[0x2200][27], 0xD2);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_NE(prompts.shown[0].text.find("missing.sa"), std::string::npos);
    EXPECT_EQ(host.slave, 7);
}

} // namespace
