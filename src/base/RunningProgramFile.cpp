#include "base/RunningProgramFile.h"

#include <system_error>

std::filesystem::path RunningProgramFile()
{
    std::error_code error;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : file;
}
