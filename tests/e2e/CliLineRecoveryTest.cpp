// calyptron-cli against a simulated meter that answers late, or dies and comes back.
#include "support/RunProgram.h"
#include "support/SimProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ks::test {

namespace {

using Clock = std::chrono::steady_clock;

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// calyptron-cli running in the background, its outputs in files.
class Cli {
public:
    Cli(const std::vector<std::string>& args, const std::string& folder)
        : m_out(folder + "/out"), m_err(folder + "/err") {
        m_pid = fork();
        if (m_pid != 0)
            return;
        dup2(open(m_out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        dup2(open(m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        setenv("CALYPTRON_HOME", folder.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(KS_CLI_PATH)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(KS_CLI_PATH, argv.data());
        _exit(127);
    }
    ~Cli() {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    std::string out() const { return slurp(m_out); }
    std::string err() const { return slurp(m_err); }
    // Waits until the output holds `times` copies of `what`; false after the limit.
    bool awaitOutput(const std::string& what, int times, std::chrono::seconds limit) const {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            if (countOf(out(), what) >= times)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
    void signal(int sig) const { kill(m_pid, sig); }
    // The exit status (128 + signal when one ended it), -1 when it did not end in time.
    int wait(std::chrono::seconds limit) {
        const auto end = Clock::now() + limit;
        int status = 0;
        while (Clock::now() < end) {
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }

private:
    std::string m_out, m_err;
    pid_t m_pid = -1;
};

// The simulated meter on a fixed path, killed without a word and started again there.
struct CliLineRecovery : ::testing::Test {
    std::string link() const { return folder.path() + "/meter"; }
    void startMeter(std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"--link", link()};
        args.insert(args.end(), extra.begin(), extra.end());
        ASSERT_TRUE(sim.start(args)) << sim.error();
    }
    void killMeter() {
        ::kill(sim.pid(), SIGKILL);
        sim.stop();
        // A killed simulator leaves its link behind, pointing at a terminal number the
        // system may give to another test's terminal.
        ::unlink(link().c_str());
    }
    TempFolder folder;
    SimProcess sim;
};

TEST_F(CliLineRecovery, PollAndMeasureSayOnceThatThePortIsLostAndGoOn) {
    struct Case {
        const char* what;
        std::vector<std::string> command;
        std::string progress; // a line of output that shows one more good read
        std::string lostSaid; // where and how the loss is said
        bool onStdout;
        std::string backSaid;
    };
    const std::vector<Case> cases = {
        {"poll",
         {"poll", "0x10", "2", "--period", "50", "--count", "60"},
         "\nok ",
         "lost 255: the serial port was lost",
         true,
         "\nback\n"},
        {"measure in German",
         {"measure", "--json", "--lang", "4", "--period", "50", "--count", "25"},
         "{\"sample\":",
         "Serielle Schnittstelle verloren",
         false,
         "Die serielle Schnittstelle ist wieder da."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startMeter();
        std::vector<std::string> args = {"--port", link(), "--timeout", "300"};
        args.insert(args.end(), c.command.begin(), c.command.end());
        Cli cli(args, folder.path());
        ASSERT_TRUE(cli.awaitOutput(c.progress, 3, std::chrono::seconds(30))) << cli.err();
        killMeter();
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        startMeter();
        const int status = cli.wait(std::chrono::seconds(90));
        const std::string out = cli.out(), err = cli.err();
        ASSERT_NE(status, -1) << "did not go on after the meter came back\n" << out << err;
        const std::string& said = c.onStdout ? out : err;
        EXPECT_EQ(countOf(said, c.lostSaid), 1) << out << err;
        EXPECT_EQ(countOf(said, c.backSaid), 1) << out << err;
        // It went on reading by itself once the meter was back.
        const std::size_t backAt = said.find(c.backSaid);
        ASSERT_NE(backAt, std::string::npos);
        if (c.onStdout)
            EXPECT_NE(out.find(c.progress, backAt), std::string::npos) << out;
        else
            EXPECT_EQ(countOf(out, c.progress), 25) << out;
        EXPECT_EQ(countOf(err + out, "no answer"), 0) << "a lost port is not 'no answer'\n" << err;
        sim.stop();
    }
}

TEST_F(CliLineRecovery, CtrlCAndTermEndPollingCommandsWithTheirStatus) {
    startMeter();
    const std::vector<std::vector<std::string>> commands = {{"poll", "0x10", "2", "--period", "50"},
                                                            {"measure", "--period", "50"}};
    for (const auto& command : commands) {
        for (const auto& [sig, status] : std::map<int, int>{{SIGINT, 130}, {SIGTERM, 143}}) {
            SCOPED_TRACE(command[0] + " " + std::to_string(sig));
            std::vector<std::string> args = {"--port", link()};
            args.insert(args.end(), command.begin(), command.end());
            Cli cli(args, folder.path());
            ASSERT_TRUE(
                cli.awaitOutput(command[0] == "poll" ? "ok " : "--- ", 2, std::chrono::seconds(30)))
                << cli.err();
            cli.signal(sig);
            EXPECT_EQ(cli.wait(std::chrono::seconds(10)), status) << cli.err();
        }
    }
}

// Every reply comes 1.1 s after its request and the link gives up waiting after 1 s: the
// requests queue up in the meter, and a reply comes while the next request of the same size
// waits. Every reply taken must be the one a punctual meter gives to that request.
TEST_F(CliLineRecovery, LateRepliesNeverShowAsTheNextBlock) {
    const std::vector<std::string> measure = {"measure", "--json", "--lang", "2", "--count", "3"};
    startMeter({"--delay", "1100"});
    std::vector<std::string> args = {"--port", link(), "--timeout", "1000", "--trace"};
    args.insert(args.end(), measure.begin(), measure.end());
    const ProgramResult late = runProgram(KS_CLI_PATH, args, {{"CALYPTRON_HOME", folder.path()}});
    ASSERT_EQ(late.status, 0) << late.err;
    const std::vector<std::string> got = lines(late.out);
    ASSERT_EQ(got.size(), 3u) << late.out << late.err;

    // Every reply the link took (RX after the TX it answers) for a block whose content does
    // not move must be the one a punctual meter gives for that block: a late reply taken for
    // the next request of the same size would differ. Failures (other lengths) may happen.
    auto repliesByBlock = [](const std::string& trace) {
        std::vector<std::pair<std::string, std::string>> taken; // request address, reply
        std::string address;
        for (const std::string& line : lines(trace)) {
            if (line.rfind("TX ", 0) == 0 && line.size() >= 14)
                address = line.substr(9, 5); // "ff 00" of "TX 01 03 ff 00 ..."
            else if (line.rfind("RX ", 0) == 0)
                taken.emplace_back(address, line.substr(3));
        }
        return taken;
    };
    args = {"--port", link(), "--trace"};
    args.insert(args.end(), measure.begin(), measure.end());
    sim.stop();
    startMeter();
    const ProgramResult ref = runProgram(KS_CLI_PATH, args, {{"CALYPTRON_HOME", folder.path()}});
    ASSERT_EQ(ref.status, 0) << ref.err;
    sim.stop();
    std::map<std::string, std::string> fixed;
    for (const auto& [address, reply] : repliesByBlock(ref.err))
        if (address != "00 10") // the measurement block moves
            fixed[address] = reply;
    ASSERT_GE(fixed.size(), 4u) << ref.err;
    int checked = 0;
    for (const auto& [address, reply] : repliesByBlock(late.err)) {
        const auto it = fixed.find(address);
        if (it == fixed.end() || it->second.size() != reply.size())
            continue;
        EXPECT_EQ(reply, it->second) << "the reply taken for the block at " << address;
        ++checked;
    }
    EXPECT_GE(checked, 4) << late.err;
    for (const std::string& line : got)
        EXPECT_NE(line.find("\"value\":\"07/03/00001\""), std::string::npos) << line;
    EXPECT_TRUE(std::regex_search(late.err, std::regex("\ndrop (stale|broken) 01 03")))
        << "the trace shows a late reply dropped\n"
        << late.err;
    EXPECT_TRUE(std::regex_search(late.err, std::regex("line: late [1-9]"))) << late.err;
}

} // namespace
} // namespace ks::test
