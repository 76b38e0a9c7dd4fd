// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/indexer/folder_floor.h"

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vm::bench {

std::ptrdiff_t readAndSortFolder(const char *path)
{
    DIR *folder = ::opendir(path);
    if (!folder)
        return -1;
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(folder)) {
        if (entry->d_name[0] != '.')
            names.emplace_back(entry->d_name);
    }
    ::closedir(folder);
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return ::strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    return std::ptrdiff_t(names.size());
}

} // namespace vm::bench
