// SPDX-License-Identifier: GPL-3.0-or-later
// A throw-away settings folder: XDG_CONFIG_HOME points into a new temporary
// folder while the object lives, so no test reads or writes the user's own
// settings file; the variable and the folder are restored after.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <stdlib.h>
#include <sys/stat.h>

namespace veltrax::test_support {

class SettingsDir {
public:
    SettingsDir() : old_(std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "")
    {
        char pattern[] = "/tmp/veltrax-settings-XXXXXX";
        root_ = mkdtemp(pattern) ? pattern : "/nonexistent";
        setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        mkdir((root_ + "/veltrax").c_str(), 0700);
    }
    ~SettingsDir()
    {
        old_.empty() ? unsetenv("XDG_CONFIG_HOME") : setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        if (std::system(("rm -rf '" + root_ + "'").c_str()) != 0) {
        }
    }

    std::string File() const { return root_ + "/veltrax/veltrax.conf"; }
    void Write(const std::string& bytes) const { std::ofstream(File(), std::ios::binary) << bytes; }
    std::string Read() const
    {
        std::ostringstream s;
        s << std::ifstream(File(), std::ios::binary).rdbuf();
        return s.str();
    }

private:
    std::string old_, root_;
};

}  // namespace veltrax::test_support
