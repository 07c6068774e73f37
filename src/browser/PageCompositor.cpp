#include "browser/PageCompositor.h"

std::filesystem::path PageCompositor::PagePath(const std::filesystem::path& folder) const
{
    return std::filesystem::absolute(folder / identity_.fileName);
}
