// defaultini: writes the game's default settings file from its table of
// settings, the file a new player's settings start from.
//
//   defaultini <Default.ini>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/ini_file.h"
#include "app/settings_table.h"
#include "platform/files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: defaultini <Default.ini>\n");
        return 2;
    }
    TIniFile ini;
    FillDefaultSettings(ini);
    if (!plat::WriteFileAtomic(argv[1], ini.Text())) {
        std::fprintf(stderr, "defaultini: cannot write %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    return 0;
}
