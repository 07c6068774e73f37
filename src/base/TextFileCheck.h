#pragma once

#include <string>
#include <string_view>

// Why the bytes of a file cannot be read as lines of 8-bit text, as the rest
// of a sentence that names the file, saying what to do: UTF-16 text, NUL
// bytes (no text file at all), or lines that end with a carriage return
// alone. Empty when none of these is the case. Readers that failed on a file
// ask this first, so the user hears the cause rather than its symptom (a
// missing column, no rows).
std::string UnreadableTextReason(std::string_view bytes);
