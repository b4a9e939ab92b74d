#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// Sets TZ for the lifetime of the guard, so that local-time results do not depend on the
// machine that runs the tests.
class TimeZoneGuard {
public:
    explicit TimeZoneGuard(const char* tz) {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        ::setenv("TZ", tz, 1);
        ::tzset();
    }
    ~TimeZoneGuard() {
        if (m_old)
            ::setenv("TZ", m_old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    TimeZoneGuard(const TimeZoneGuard&) = delete;
    TimeZoneGuard& operator=(const TimeZoneGuard&) = delete;

private:
    std::optional<std::string> m_old;
};
