#include "pages/PageWriter.h"

#include "base/Errors.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

PageWriter::PageWriter(const std::filesystem::path& file) : file_(file)
{
    std::error_code error;
    if (file.has_parent_path() && !std::filesystem::is_directory(file.parent_path())) {
        std::filesystem::create_directories(file.parent_path(), error);
        if (error)
            throw FileError("Could not create the page folder " + file.parent_path().string() + ": " +
                            error.message() + ". Check that the page folder can be written.");
    }
    errno = 0;
    out_.open(file, std::ios::binary | std::ios::trunc);
    if (!out_)
        Fail("create");
}

void PageWriter::Write(std::string_view text)
{
    errno = 0;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out_)
        Fail("write");
}

void PageWriter::Close()
{
    errno = 0;
    out_.close();
    if (!out_)
        Fail("write");
}

void PageWriter::Fail(std::string_view action) const
{
    const std::string reason = errno != 0 ? std::strerror(errno) : "the file system refused it";
    throw FileError("Could not " + std::string(action) + " the page file " + file_.string() + ": " + reason +
                    ". Check that the page folder can be written.");
}
