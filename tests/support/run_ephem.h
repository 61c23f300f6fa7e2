// SPDX-License-Identifier: GPL-3.0-or-later
// Runs veltrax-ephem for a test: in process through RunEphem, or as the built
// program in a child process, capturing its output and exit status.
#pragma once

#include "cli/ephem.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace veltrax::test_support {

using Args = std::vector<std::string>;

struct Ran {
    int status = -1;
    std::string out, err;
};

inline Ran InProcess(const Args& args)
{
    std::vector<const char*> argv{"veltrax-ephem"};
    for (const auto& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    Ran r;
    r.status = RunEphem(static_cast<int>(argv.size()), argv.data(), out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline std::string ReadAll(FILE* f)
{
    std::string s;
    std::rewind(f);
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        s.append(buf, n);
    return s;
}

// The built program, with its standard output and error in temporary files.
inline Ran InChildProcess(const Args& args)
{
    Ran r;
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    if (!out || !err) {
        ADD_FAILURE() << "no temporary file";
        if (out)
            std::fclose(out);
        if (err)
            std::fclose(err);
        return r;
    }
    std::vector<char*> argv{const_cast<char*>(VELTRAX_EPHEM_BIN)};
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fileno(out), 1);
        dup2(fileno(err), 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        ADD_FAILURE() << "could not run " << VELTRAX_EPHEM_BIN;
    else
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = ReadAll(out);
    r.err = ReadAll(err);
    std::fclose(out);
    std::fclose(err);
    return r;
}

}  // namespace veltrax::test_support
