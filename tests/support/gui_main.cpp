// SPDX-License-Identifier: GPL-3.0-or-later
// main() for the window tests: one QApplication on the offscreen platform,
// with the window's font substitutions.
#include "platform/fonts.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    veltrax::platform::InstallFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
