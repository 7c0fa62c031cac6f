#pragma once

#include <string>

// "Linux OS; Machine=%s; Release=%s" from uname (at most 259 bytes), or "" when uname fails.
std::string GetOSVersion();
