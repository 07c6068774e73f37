#pragma once

#include <filesystem>
#include <string_view>

// Writes `bytes` as the whole content of `path`. A regular file (or none) is
// replaced only once the new content is complete and synced: it is written
// into a new file beside it, which then takes its name, so a failure leaves
// the old file as it was and no part-written file behind. A link is followed
// and its target replaced. A target that is no file to replace (a device such
// as /dev/null, a named pipe with a reader) is written in place.
// Throws FileError naming `what` and the path, saying why in words a user can
// act on ("the disk is full; ..."), when the file cannot be written.
void WriteWholeFile(const std::filesystem::path& path, std::string_view bytes, std::string_view what);
