// The least any program must do to show a folder's file names in order: read the names and
// sort them without regard to case. Prints one time in milliseconds per run.
#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: index_floor FOLDER [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : 1;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        DIR *folder = ::opendir(argv[1]);
        if (!folder) {
            std::perror(argv[1]);
            return 1;
        }
        std::vector<std::string> names;
        while (const dirent *entry = ::readdir(folder)) {
            if (entry->d_name[0] != '.')
                names.emplace_back(entry->d_name);
        }
        ::closedir(folder);
        std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
            return ::strcasecmp(a.c_str(), b.c_str()) < 0;
        });
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        std::printf("%.3f %zu\n", took.count(), names.size());
    }
    return 0;
}
