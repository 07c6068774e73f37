#pragma once

#include <filesystem>

// The file of the running program, with every link resolved, as the system
// reports it in /proc/self/exe; empty when that cannot be read.
std::filesystem::path RunningProgramFile();
