#include "pages/PageCompositor.h"

#include <system_error>

std::filesystem::path PageCompositor::PagePath(const std::filesystem::path& folder) const
{
    const std::filesystem::path file = folder / identity_.fileName;
    // Without a current folder to resolve against, the path stays relative.
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(file, error);
    return error ? file : full;
}
