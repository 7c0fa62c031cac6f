#include "foundation/SystemInfo.h"

#include <sys/utsname.h>

#include <cstdio>

std::string GetOSVersion() {
    utsname name{};
    if (uname(&name) != 0) {
        return std::string();
    }
    char text[260];
    int written = std::snprintf(text, sizeof text, "Linux OS; Machine=%s; Release=%s", name.machine, name.release);
    if (written < 0) {
        return std::string();
    }
    return std::string(text);
}
