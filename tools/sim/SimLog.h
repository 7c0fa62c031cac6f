#pragma once

#include <string>

// One line to standard error with a time stamp. Callers never pass a password.
void SimLog(const std::string& line);
