#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes `content` byte for byte to the file `name` in the folder; a name
    // with '/' makes the folders on its way.
    void Write(std::string_view name, std::string_view content) const;

private:
    std::filesystem::path path_;
};

// The bytes of `file`; "" when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);
