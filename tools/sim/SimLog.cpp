#include "SimLog.h"

#include <sys/time.h>

#include <cstdio>
#include <ctime>

void SimLog(const std::string& line) {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    const std::time_t secs = tv.tv_sec;
    localtime_r(&secs, &tm);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &tm);
    std::fprintf(stderr, "%s.%03d %s\n", stamp, static_cast<int>(tv.tv_usec / 1000), line.c_str());
}
