// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ephem.h"

#include <iostream>

int main(int argc, char** argv)
{
    return veltrax::RunEphem(argc, argv, std::cout, std::cerr);
}
