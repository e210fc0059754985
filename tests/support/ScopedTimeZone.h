// Local time set to a fixed zone for the life of the object, so file dates
// do not depend on the machine; the zone before is restored afterwards.
#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace orvik::testing {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone = "UTC") {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        Set(zone);
    }
    ~ScopedTimeZone() { Set(previous_ ? previous_->c_str() : nullptr); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    // The zone for the C library's local time; nullptr: the system's own.
    static void Set(const char* zone) {
#ifdef _WIN32
        ::_putenv_s("TZ", zone ? (std::string(zone) == "UTC" ? "UTC0" : zone) : "");
        ::_tzset();
#else
        if (zone)
            ::setenv("TZ", zone, 1);
        else
            ::unsetenv("TZ");
        ::tzset();
#endif
    }

    std::optional<std::string> previous_;
};

}  // namespace orvik::testing
