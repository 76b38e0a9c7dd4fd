// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace vm::bench {

// The least any program must do to show a folder's file names in order: read the names and
// sort them without regard to case. Returns how many names there were, or -1 when the folder
// cannot be read.
std::ptrdiff_t readAndSortFolder(const char *path);

} // namespace vm::bench
