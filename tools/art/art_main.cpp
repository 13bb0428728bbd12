// vcart: draws every image of the game.
//   vcart <font.ttf> <data folder> <archive folder>
// writes <data>/graphics/*.png, <data>/menus/*.png and the archive images.
//   vcart --icons <folder> <size>...
// writes the application icon at the sizes, and scalable, into the folder.
#include <cstdio>
#include <exception>
#include <string>

#include "art.h"
#include "canvas.h"
#include "icon_art.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--icons") return art::IconMain(argc - 2, argv + 2);
    if (argc != 4) {
        std::fprintf(stderr, "usage: vcart <font.ttf> <data folder> <archive folder>\n");
        return 2;
    }
    try {
        art::LoadFont(argv[1]);
        const std::string data = std::string(argv[2]) + "/";
        const std::string archive = std::string(argv[3]) + "/";
        art::MakeFolders(data + "graphics");
        art::MakeFolders(data + "menus");
        art::MakeFolders(archive);
        art::MakeBoardArt(data + "graphics/");
        art::MakePanels(data + "graphics/");
        art::MakeButtons(data + "menus/");
        art::MakeScenes(data + "graphics/", archive);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vcart: %s\n", e.what());
        return 1;
    }
    return 0;
}
