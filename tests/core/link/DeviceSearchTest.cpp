// The search for a meter over the ports of the port table.
#include "link/DeviceSearch.h"
#include "link/JBusLink.h"
#include "support/PtyPair.h"
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace ks;
using namespace ks::test;

namespace {

// Everything the search tells, in order.
class Recorder : public CDeviceSearchObserver {
public:
    void searchCaption(const std::string& t) override { captions.push_back(t); }
    void searchStatus(const std::string& t) override { statuses.push_back(t); }
    void searchProgressRange(int m) override { ranges.push_back(m); }
    void searchProgressPosition(int p) override { position = p; }
    std::vector<std::string> captions, statuses;
    std::vector<int> ranges;
    int position = -1;
};

struct Search : ::testing::Test {
    Search() {
        // Only the ports a test gives: none of this machine's own.
        link.serialLink().portTable().scan(nothing.path(), nothing.path());
    }
    void silentPeerOn(int port) {
        ASSERT_TRUE(silent.start([](const Bytes&, int) { return PtyPeer::Answer{}; }));
        link.serialLink().portTable().assign(port, silent.slavePath());
    }
    static std::vector<std::string> statusesOf(int port, int fromIndex, int toIndex) {
        const char* const labels[] = {"300 bauds",  "600 bauds",  "1200 bauds", "2400 bauds",
                                      "4800 bauds", "9600 bauds", "BlueTooth"};
        std::vector<std::string> s;
        for (int i = fromIndex; i >= toIndex; --i)
            s.push_back("Com " + std::to_string(port) + " - " + labels[i]);
        return s;
    }

    TempFolder nothing;
    CJBusLink link;
    PtyPeer silent;
    SimProcess sim;
    Recorder recorder;
};

TEST_F(Search, FindsTheMeterAfterTheSilentPortsBefore) {
    silentPeerOn(2);
    ASSERT_TRUE(sim.start({"--baud", "4800", "--slave", "17"}));
    link.serialLink().portTable().assign(3, sim.path());
    link.setFirstByteTimeout(555);
    DeviceSearchOptions o;
    o.timeoutMs = 40;
    const DeviceSearchResult r = CDeviceSearch(link, o).run(&recorder);

    EXPECT_TRUE(r.found());
    EXPECT_EQ(r.port, 3);
    EXPECT_EQ(r.baudIndex, 4);
    EXPECT_EQ(r.slave, 17);
    EXPECT_FALSE(r.cancelled);
    std::vector<std::string> expected = statusesOf(2, 6, 0);
    for (const std::string& s : statusesOf(3, 6, 4))
        expected.push_back(s);
    expected.push_back("L'appareil a été trouvé.\nDétection réussie !");
    EXPECT_EQ(recorder.statuses, expected);
    EXPECT_EQ(recorder.captions,
              (std::vector<std::string>{"Initialisation", "Recherche de l'appareil"}));
    EXPECT_EQ(recorder.ranges, (std::vector<int>{2, 14}));
    EXPECT_EQ(recorder.position, 14);
    EXPECT_EQ(silent.requests(), 21) << "three attempts at each of seven rates";
    EXPECT_FALSE(link.serialLink().isOpen());
    EXPECT_EQ(link.firstByteTimeout(), 555);
    EXPECT_EQ(link.retries(), 3);
}

TEST_F(Search, NothingAnswers) {
    silentPeerOn(5);
    DeviceSearchOptions o;
    o.timeoutMs = 20;
    o.baudLimit = 2;
    o.language = 2;
    const DeviceSearchResult r = CDeviceSearch(link, o).run(&recorder);
    EXPECT_FALSE(r.found());
    EXPECT_EQ(r.port, -1);
    EXPECT_EQ(r.slave, -1);
    EXPECT_FALSE(r.cancelled);
    std::vector<std::string> expected = statusesOf(5, 1, 0);
    expected.push_back("The device did not answer.\nSearch failed !");
    EXPECT_EQ(recorder.statuses, expected);
    EXPECT_EQ(recorder.captions,
              (std::vector<std::string>{"Initialization", "Searching for the device"}));
    EXPECT_FALSE(link.serialLink().isOpen());
}

TEST_F(Search, OnlyPortsThatOpenAndThatWereAskedFor) {
    silentPeerOn(4);
    link.serialLink().portTable().assign(6, nothing.path() + "/ttyUSB9"); // no such device
    DeviceSearchOptions o;
    // Long enough for the silent peer to take each of the three requests apart, even on a
    // busy machine.
    o.timeoutMs = 100;
    o.baudLimit = 1;
    CDeviceSearch(link, o).run(&recorder);
    EXPECT_EQ(recorder.statuses.front(), "Com 4 - 300 bauds");
    EXPECT_EQ(recorder.statuses.size(), 2u) << "COM6 does not open";

    Recorder other;
    o.ports = {1, 2, 6};
    const DeviceSearchResult r = CDeviceSearch(link, o).run(&other);
    EXPECT_FALSE(r.found());
    EXPECT_EQ(other.statuses,
              (std::vector<std::string>{"L'appareil n'a pas répondu.\nDétection échouée !"}));
    EXPECT_EQ(silent.requests(), 3);
}

TEST_F(Search, CancelStopsWithinOneTimeOut) {
    silentPeerOn(2);
    DeviceSearchOptions o;
    o.timeoutMs = 300;
    CDeviceSearch search(link, o);
    DeviceSearchResult r;
    std::thread runner([&] { r = search.run(&recorder); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto asked = std::chrono::steady_clock::now();
    search.cancel();
    runner.join();
    const auto took = std::chrono::steady_clock::now() - asked;
    EXPECT_LT(took, std::chrono::milliseconds(300 + 200));
    EXPECT_TRUE(r.cancelled);
    EXPECT_FALSE(r.found());
    EXPECT_EQ(recorder.statuses.back(), "L'appareil n'a pas répondu.\nDétection échouée !");
    EXPECT_EQ(silent.requests(), 1);
    EXPECT_FALSE(link.serialLink().isOpen());
}

TEST(SearchBaudLabel, BluetoothHasNoUnit) {
    EXPECT_EQ(searchBaudLabel(0), "300 bauds");
    EXPECT_EQ(searchBaudLabel(5), "9600 bauds");
    EXPECT_EQ(searchBaudLabel(6), "BlueTooth");
    EXPECT_EQ(CDeviceSearch::defaultBaudLimit(), 7);
}

} // namespace
