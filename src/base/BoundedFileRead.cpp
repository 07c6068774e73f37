#include "base/BoundedFileRead.h"

#include "base/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kBlockSize = 4096;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void Fail(const char* action, std::string_view what, const std::filesystem::path& path, int error)
{
    throw FileError(std::string("Cannot ") + action + " the " + std::string(what) + " \"" + path.string() +
                    "\": " + std::strerror(error) + ".");
}

}  // namespace

std::size_t ReadFileBounded(const std::filesystem::path& path, std::string_view what, char* buffer,
                            std::size_t capacity, std::size_t limit)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        Fail("open", what, path, errno);

    std::size_t total = 0;
    std::size_t got = 0;
    do {
        const std::size_t room = capacity - total;
        got = std::fread(buffer + total, 1, std::min(kBlockSize, room), file.get());
        total += got;
    } while (got > 0 && total < limit && total < capacity);

    if (std::ferror(file.get()))
        Fail("read", what, path, errno ? errno : EIO);
    return total;
}
