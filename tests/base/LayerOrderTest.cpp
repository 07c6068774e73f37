#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The source folders from the lowest layer to the highest. A file may
// include files of its own folder and of the folders before it.
constexpr std::array<std::string_view, 11> kLayers = {"base",     "net",       "quotes", "analysis",
                                                       "chart",    "pages",     "document", "screen",
                                                       "qtcanvas", "app",       "cli"};

std::ptrdiff_t LayerOf(std::string_view folder)
{
    return std::find(kLayers.begin(), kLayers.end(), folder) - kLayers.begin();
}

struct Include {
    fs::path file;
    std::string target;
};

// Every project include ("folder/File.h") of the sources.
std::vector<Include> ProjectIncludes(const fs::path& sources)
{
    static const std::regex kInclude(R"(^\s*#\s*include\s*"([^"/]+)/[^"]+")");
    std::vector<Include> includes;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sources)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        std::ifstream in(entry.path());
        std::smatch match;
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, match, kInclude))
                includes.push_back({fs::relative(entry.path(), sources), match[1]});
    }
    return includes;
}

}  // namespace

TEST(LayerOrder, EverySourceFolderIsALayer)
{
    for (const fs::directory_entry& entry : fs::directory_iterator(TARNWICK_SOURCE_DIR)) {
        if (entry.is_directory()) {
            EXPECT_LT(LayerOf(entry.path().filename().string()), std::ssize(kLayers)) << entry.path();
        }
    }
}

TEST(LayerOrder, NoFileIncludesAFolderAfterItsOwn)
{
    const std::vector<Include> includes = ProjectIncludes(TARNWICK_SOURCE_DIR);
    ASSERT_GT(includes.size(), 100u);  // the scan found the sources
    for (const Include& include : includes) {
        const std::string own = include.file.begin()->string();
        EXPECT_LE(LayerOf(include.target), LayerOf(own))
            << include.file << " includes " << include.target << "/, a layer above " << own << "/";
    }
}
