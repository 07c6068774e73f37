// Writes the screener benchmark's generated quote library to a folder, for
// comparing whole programs over it (bench/screen-vs-peer.sh).
// usage: write_screen_library DIR COUNT [--mixed]
//   every symbol as a folder with table.csv, or with --mixed one in four as
//   a CSV history as the benchmark has it.
#include "GeneratedLibrary.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv)
{
    const bool mixed = argc == 4 && std::string_view(argv[3]) == "--mixed";
    const int count = argc >= 3 ? std::atoi(argv[2]) : 0;
    if (argc < 3 || argc > 4 || (argc == 4 && !mixed) || count < 1) {
        std::fprintf(stderr, "usage: write_screen_library DIR COUNT [--mixed]\n");
        return 2;
    }
    WriteGeneratedLibrary(argv[1], count, mixed ? LibraryLayouts::Mixed : LibraryLayouts::FoldersOnly);
    return 0;
}
