// A throw-away settings folder for a test: XDG_CONFIG_HOME points into a new
// temporary folder while the object lives, so no test reads or writes the
// user's own settings file; the variable and the folder are restored after.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <stdlib.h>
#include <sys/stat.h>

namespace veltrax::test_support {

class SettingsDir {
public:
    SettingsDir()
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            old_ = old, hadOld_ = true;
        char pattern[] = "/tmp/veltrax-settings-XXXXXX";
        if (!mkdtemp(pattern))
            ADD_FAILURE() << "no temporary folder";
        root_ = pattern;
        setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        mkdir((root_ + "/veltrax").c_str(), 0700);
    }
    ~SettingsDir()
    {
        if (hadOld_)
            setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::system(("rm -rf '" + root_ + "'").c_str());
    }
    SettingsDir(const SettingsDir&) = delete;
    SettingsDir& operator=(const SettingsDir&) = delete;

    std::string File() const { return root_ + "/veltrax/veltrax.conf"; }

    void Write(const std::string& bytes) const
    {
        std::ofstream(File(), std::ios::binary) << bytes;
    }
    std::string Read() const
    {
        std::ifstream in(File(), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::string root_, old_;
    bool hadOld_ = false;
};

}  // namespace veltrax::test_support
