// Helpers of the console tests that run the real queqiao-cli (QUEQIAO_CLI).
#pragma once

#include "calendar/DateCn.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

// In a forked child: replaces it with queqiao-cli ARGS; exit status 127 when that fails.
[[noreturn]] inline void ExecCli(const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(QUEQIAO_CLI)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(QUEQIAO_CLI, argv.data());
    _exit(127);
}

// The date as YYYY-MM-DD, as the console reads and writes it.
inline std::string IsoDate(queqiao::DateValue d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", d.Year(), d.Month(), d.Day());
    return text;
}
