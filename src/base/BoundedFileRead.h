#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

// Reads a file into `buffer` as reading it in blocks of 4096 bytes would,
// appending each block behind the last, for as long as a read returns data
// and the total is below `limit`: at most limit + 4095 bytes, and never more
// than `capacity`. An ordinary file takes one read.
// Returns the number of bytes read.
// Only regular files are read: a named pipe, a device or a folder is refused
// at once, without waiting for a writer or reading a device without end.
// Throws FileError naming `what` and the path when the file cannot be opened
// or read, or is not a regular file.
std::size_t ReadFileBounded(const std::filesystem::path& path, std::string_view what, char* buffer,
                            std::size_t capacity, std::size_t limit);
