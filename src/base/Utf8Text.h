#pragma once

#include <string>
#include <string_view>

// Files, pages and symbols are 8-bit text of no declared encoding. Where
// such text leaves the program as UTF-8 (JSON, the command line tool's
// output, composed pages), it goes through here.

// The text itself when it is valid UTF-8; otherwise every byte read as
// Windows-1252, the encoding of quote files and pages that are not UTF-8.
// The five bytes Windows-1252 leaves undefined become the C1 controls of the
// same number, as browsers read them.
std::string AsUtf8(std::string_view text);

// The characters of AsUtf8(text).
std::u32string CodePoints(std::string_view text);

// AsUtf8(text) fit for a terminal: line feeds and tabs stay, every other
// control character shows as \xNN (C0 and DEL) or \u00NN (C1), so that no
// text from a file or a page can move the cursor or change the terminal.
std::string TerminalSafe(std::string_view text);
