#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

// A page file open for writing. Every failure throws FileError naming the
// file and the reason; what was written before stays in the file.
class PageWriter {
public:
    // Creates the file's folder when missing, and the file, discarding its
    // old content.
    explicit PageWriter(const std::filesystem::path& file);

    void Write(std::string_view text);

    // Flushes and closes the file; a failure to do so throws.
    void Close();

private:
    [[noreturn]] void Fail(std::string_view action) const;

    std::filesystem::path file_;
    std::ofstream out_;
};
