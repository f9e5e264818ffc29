// Lists the entry names of one directory (the level list's only use of the file system).
#pragma once

#include <string>
#include <vector>

// Every entry name of the directory at path, sorted in byte order; false when
// the directory cannot be read (names is then empty).
bool listDirectory(const char* path, std::vector<std::string>& names);
