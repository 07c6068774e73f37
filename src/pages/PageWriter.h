#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A page file written whole or not at all. The text goes to a temporary file
// beside the page file, which takes the page file's place only on Commit;
// until then, and after any failure, the page file stays as it was. Every
// failure throws FileError naming the page file and the reason.
class PageWriter {
public:
    // Creates the file's folder when missing, and the temporary file, so a
    // folder that cannot be written fails before any work is done.
    explicit PageWriter(const std::filesystem::path& file);
    // Removes the temporary file unless it was committed.
    ~PageWriter();
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    void Write(std::string_view text);

    // Writes the text out, to the disk itself, and puts it in the page
    // file's place in one step.
    void Commit();

private:
    [[noreturn]] void Fail(std::string_view action, int error) const;

    std::filesystem::path file_;
    std::filesystem::path temporary_;
    int descriptor_ = -1;
    std::string text_;
};
