#include "app/MessageRegistry.h"

#include <map>
#include <mutex>
#include <vector>

namespace ks {

namespace {

constexpr int kFirstMessage = 0xC000;

struct Registry {
    std::mutex mutex;
    std::map<std::string, int> numbers;
    std::vector<std::string> names;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

int registerMessage(const std::string& name) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.numbers.find(name);
    if (it != r.numbers.end())
        return it->second;
    const int number = kFirstMessage + static_cast<int>(r.names.size());
    r.numbers.emplace(name, number);
    r.names.push_back(name);
    return number;
}

std::string registeredMessageName(int number) {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    const int i = number - kFirstMessage;
    if (i < 0 || i >= static_cast<int>(r.names.size()))
        return {};
    return r.names[static_cast<std::size_t>(i)];
}

} // namespace ks
