#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ks::test {

using Bytes = std::vector<std::uint8_t>;

// A pseudo-terminal whose master side is a scripted JBus peer: it collects each request
// frame and answers with what the script returns (nothing: stays silent).
class PtyPeer {
public:
    // One answer: the bytes to send, split into pieces written with a pause between them.
    struct Answer {
        std::vector<Bytes> pieces;
        int pauseMs = 0;
    };
    using Script = std::function<Answer(const Bytes& request, int index)>;

    PtyPeer();
    ~PtyPeer();
    bool start(Script script);
    void stop();
    const std::string& slavePath() const { return m_slavePath; }
    int requests() const { return m_requests.load(); }
    std::vector<Bytes> received();
    int masterFd() const { return m_master; }

private:
    void loop();
    int m_master = -1;
    int m_slaveKeep = -1;
    std::string m_slavePath;
    Script m_script;
    std::thread m_thread;
    std::atomic<bool> m_run{false};
    std::atomic<int> m_requests{0};
    std::mutex m_mutex;
    std::vector<Bytes> m_received;
};

// Appends the CRC, low byte first.
Bytes withCrc(Bytes frame);
// A good read reply carrying the given register values.
Bytes readReply(int slave, const std::vector<std::uint16_t>& registers);

} // namespace ks::test
