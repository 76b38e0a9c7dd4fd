// SPDX-License-Identifier: GPL-3.0-or-later
// The folder floor as a program of its own, so its peak memory can be measured apart from
// the index window's.
//   index_floor FOLDER
#include "bench/indexer/folder_floor.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: index_floor FOLDER\n");
        return 2;
    }
    const std::ptrdiff_t names = vm::bench::readAndSortFolder(argv[1]);
    if (names < 0) {
        std::perror(argv[1]);
        return 1;
    }
    std::printf("%td\n", names);
    return 0;
}
