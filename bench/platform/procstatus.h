#pragma once

#include <fstream>
#include <string>

// A field of /proc/self/status in kB ("VmRSS", the resident set; "VmHWM", its peak); 0 when absent.
inline long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::stol(line.substr(key.size()));
        }
    }
    return 0;
}
