#include "GeneratedLibrary.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// `history` with the price columns (1 to lastPrice) of every line after the
// header multiplied by `factor`.
std::string Shifted(const std::string& history, int lastPrice, double factor)
{
    std::istringstream in(history);
    std::string line;
    std::getline(in, line);
    std::string out = line + "\n";
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        for (int column = 0; std::getline(fields, field, ','); ++column) {
            if (column > 0)
                out += ',';
            if (column >= 1 && column <= lastPrice) {
                char number[32];
                std::snprintf(number, sizeof number, "%.2f", std::stod(field) * factor);
                out += number;
            } else {
                out += field;
            }
        }
        out += '\n';
    }
    return out;
}

}  // namespace

void WriteGeneratedLibrary(const fs::path& folder, int count, LibraryLayouts layouts)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path samples = TARNWICK_SAMPLE_DIR;
    const char* folderSymbols[] = {"IBM", "CAT", "BA", "ORCL"};
    const std::string vendor = ReadAll(samples / "AAPL.csv");
    for (int i = 0; i < count; ++i) {
        char symbol[16];
        std::snprintf(symbol, sizeof symbol, "S%05d", i);
        const double factor = 0.5 + (i % 997) / 500.0;
        if (layouts == LibraryLayouts::Mixed && i % 4 == 3) {
            WriteAll(folder / (std::string(symbol) + ".csv"), Shifted(vendor, 5, factor));
            continue;
        }
        const std::string table = ReadAll(samples / folderSymbols[i % 4] / "table.csv");
        WriteAll(folder / symbol / "table.csv", Shifted(table, 4, factor));
        WriteAll(folder / symbol / "quotes.csv", "");
    }
}
