// vccontact: review sheets of the built art.
//   vccontact <font.ttf> <output folder> <image folder>...
// Writes contact-NN.png pages with every PNG/JPEG of the folders (name under
// each image, on a checkerboard so transparency shows), board-NN.png pages
// that put the floor, gems and wall tiles together for several floor shapes,
// and gems.png: the gems upright and turned, under the hint, and as players
// with each kind of dichromacy see them.
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "canvas.h"
#include "puzzle/wall_tiles.h"

namespace fs = std::filesystem;
using namespace art;

namespace {

cairo_surface_t* LoadJPEG(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return nullptr;
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    const int w = int(info.output_width), h = int(info.output_height);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    std::vector<unsigned char> line(size_t(w) * 3);
    while (info.output_scanline < info.output_height) {
        const int y = int(info.output_scanline);
        JSAMPROW rows[1] = {line.data()};
        jpeg_read_scanlines(&info, rows, 1);
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < w; ++x)
            row[x] = 0xff000000u | (uint32_t(line[size_t(x) * 3]) << 16) | (uint32_t(line[size_t(x) * 3 + 1]) << 8) |
                     line[size_t(x) * 3 + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    cairo_surface_mark_dirty(s);
    return s;
}

cairo_surface_t* LoadAny(const fs::path& path) {
    const std::string ext = path.extension().string();
    if (ext == ".jpg" || ext == ".jpeg") return LoadJPEG(path.string());
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    return s;
}

void Checker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int j = 0; j * 8 < h; ++j)
        for (int i = 0; i * 8 < w; ++i) {
            cairo_rectangle(cr, x + i * 8, y + j * 8, 8, 8);
            const double v = (i + j) % 2 ? 0.42 : 0.55;
            cairo_set_source_rgb(cr, v, v, v);
            cairo_fill(cr);
        }
    cairo_restore(cr);
}

// Writes the images as pages of a fixed width; big images are scaled down.
void ContactPages(const std::vector<fs::path>& files, const std::string& out) {
    const int pageW = 1600, pageH = 1200, margin = 12, maxCell = 380, label = 16;
    struct Item {
        fs::path path;
        cairo_surface_t* s;
        double scale;
        int w, h;
    };
    std::vector<Item> items;
    for (const fs::path& f : files) {
        cairo_surface_t* s = LoadAny(f);
        if (!s) {
            std::fprintf(stderr, "vccontact: cannot read %s\n", f.c_str());
            continue;
        }
        const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        double scale = std::min(1.0, double(maxCell) / std::max(w, h));
        if (std::max(w, h) <= 40) scale = 2.0;  // small tiles are shown doubled
        items.push_back({f, s, scale, int(w * scale), int(h * scale)});
    }
    int page = 0;
    size_t i = 0;
    while (i < items.size()) {
        Canvas c(pageW, pageH);
        cairo_t* cr = c.cr();
        cairo_set_source_rgb(cr, 0.16, 0.17, 0.2);
        cairo_paint(cr);
        double x = margin, y = margin, rowH = 0;
        for (; i < items.size(); ++i) {
            const Item& it = items[i];
            const int cellW = std::max(it.w, 84);
            if (x + cellW > pageW - margin) {
                x = margin;
                y += rowH + label + margin;
                rowH = 0;
            }
            if (y + it.h + label > pageH - margin) break;
            Checker(cr, x, y, it.w, it.h);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, it.scale, it.scale);
            cairo_set_source_surface(cr, it.s, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
            cairo_paint(cr);
            cairo_restore(cr);
            UseFont(cr, 12);
            cairo_set_source_rgb(cr, 0.95, 0.95, 0.9);
            cairo_move_to(cr, x, y + it.h + 12);
            const std::string name = it.path.filename().string() + " " +
                                     std::to_string(cairo_image_surface_get_width(it.s)) + "x" +
                                     std::to_string(cairo_image_surface_get_height(it.s));
            cairo_show_text(cr, name.c_str());
            x += std::max(cellW, int(TextWidth(cr, name))) + margin;
            rowH = std::max(rowH, double(it.h));
        }
        char name[32];
        std::snprintf(name, sizeof name, "contact-%02d.png", ++page);
        cairo_surface_write_to_png(c.surface(), (out + "/" + name).c_str());
    }
    for (Item& it : items) cairo_surface_destroy(it.s);
}

// ---- board previews -------------------------------------------------------------

// The wall tile for a position without floor, chosen the way the game chooses.
std::string WallFor(const std::vector<std::string>& g, int c, int r) {
    auto floor = [&](int x, int y) {
        return x >= 0 && y >= 0 && y < int(g.size()) && x < int(g[size_t(y)].size()) && g[size_t(y)][size_t(x)] != '.';
    };
    using namespace walls;
    const bool w = floor(c - 1, r), e = floor(c + 1, r), n = floor(c, r - 1), s = floor(c, r + 1);
    int mask = (w ? L : 0) | (e ? R : 0) | (n ? T : 0) | (s ? B : 0);
    if (w && n) mask |= INW;
    if (e && n) mask |= INE;
    if (w && s) mask |= ISW;
    if (e && s) mask |= ISE;
    if (!w && !n && floor(c - 1, r - 1)) mask |= ONW;
    if (!e && !n && floor(c + 1, r - 1)) mask |= ONE;
    if (!w && !s && floor(c - 1, r + 1)) mask |= OSW;
    if (!e && !s && floor(c + 1, r + 1)) mask |= OSE;
    const int tile = TileFor(mask);
    return tile == 0 ? "" : TILES[static_cast<size_t>(tile - 1)].image;
}

void BoardPage(const std::string& graphics, const std::string& background, const std::vector<std::string>& grid,
               const std::string& out, bool decorate) {
    std::map<std::string, cairo_surface_t*> cache;
    auto image = [&](const std::string& name) {
        auto it = cache.find(name);
        if (it != cache.end()) return it->second;
        cairo_surface_t* s = LoadAny(graphics + "/" + name + ".png");
        cache[name] = s;
        return s;
    };
    Canvas c(800, 600);
    cairo_t* cr = c.cr();
    if (cairo_surface_t* bg = LoadAny(background)) {
        cairo_set_source_surface(cr, bg, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(bg);
    }
    auto put = [&](const std::string& name, int col, int row) {
        cairo_surface_t* s = image(name);
        if (!s) return;
        cairo_set_source_surface(cr, s, 76 + 36 * col, 48 + 36 * row);
        cairo_paint(cr);
    };
    int seed = 7;
    for (int r = 0; r < int(grid.size()); ++r)
        for (int col = 0; col < int(grid[size_t(r)].size()); ++col) {
            const char ch = grid[size_t(r)][size_t(col)];
            if (ch == '.') {
                const std::string wall = WallFor(grid, col, r);
                if (!wall.empty()) {
                    put(wall, col, r);
                    if (decorate && (wall == "wall-full" || wall == "wall-topleft" || wall == "wall-bottomright"))
                        put(wall + "decoration", col, r);
                }
                continue;
            }
            put(ch == 'm' ? "cellmarble" : "cellnormal", col, r);
            seed = (seed * 1103515245 + 12345) & 0x7fffffff;
            put("cell" + std::to_string(1 + (seed >> 8) % 6), col, r);
        }
    cairo_surface_write_to_png(c.surface(), out.c_str());
    for (auto& [name, s] : cache)
        if (s) cairo_surface_destroy(s);
}

// The title screen as the game lays it out: logo at (400, 100), the five menu
// buttons stacked (gap 10) and centred 50 px below the middle, "Change Player" at y 560.
void TitlePage(const std::string& graphics, const std::string& menus, const std::string& background,
               const std::string& out) {
    Canvas c(800, 600);
    cairo_t* cr = c.cr();
    auto paint = [&](const std::string& path, double x, double y, bool centred) {
        cairo_surface_t* s = LoadAny(path);
        if (!s) return 0;
        const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        cairo_set_source_surface(cr, s, centred ? x - w / 2.0 : x, centred ? y - h / 2.0 : y);
        cairo_paint(cr);
        cairo_surface_destroy(s);
        return h;
    };
    paint(background, 0, 0, false);
    paint(graphics + "/logo.png", 400, 100, true);
    const char* buttons[] = {"play", "helpMO", "options", "highscore", "Exit"};
    double y = 350 - (5 * 52 + 40) / 2.0;
    for (const char* b : buttons) y += paint(menus + "/" + b + ".png", 400 - 120, y, false) + 10;
    paint(menus + "/changeplayer.png", 400 - 105, 560, false);
    cairo_surface_write_to_png(c.surface(), out.c_str());
}

// ---- gem review page ----------------------------------------------------------------

// The colour as seen with protanopia (1), deuteranopia (2) or tritanopia (3):
// Machado, Oliveira and Fernandes' simulation at full severity, on linear RGB.
uint32_t SeenWith(uint32_t argb, int vision) {
    static const double M[3][3][3] = {
        {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
        {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
        {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};
    auto toLinear = [](uint32_t c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    auto toByte = [](double v) {
        v = std::clamp(v, 0.0, 1.0);
        v = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
        return uint32_t(std::lround(v * 255));
    };
    const double rgb[3] = {toLinear((argb >> 16) & 255), toLinear((argb >> 8) & 255), toLinear(argb & 255)};
    const auto& m = M[vision - 1];
    uint32_t out = argb & 0xff000000u;
    for (int i = 0; i < 3; ++i) out |= toByte(m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2]) << (16 - 8 * i);
    return out;
}

// Every gem upright and turned half round (as it lies after falling), on
// slate and on marble, under the hint, and as players with each kind of
// dichromacy see the row.
void GemPage(const std::string& graphics, const std::string& out) {
    const int scale = 3, cell = 36 * scale;
    Canvas c(6 * cell * 2 + 60, 7 * (cell + 24) + 20);
    cairo_t* cr = c.cr();
    cairo_set_source_rgb(cr, 0.16, 0.17, 0.2);
    cairo_paint(cr);
    auto load = [&](const std::string& name) { return LoadAny(graphics + "/" + name + ".png"); };
    cairo_surface_t* floors[2] = {load("cellnormal"), load("cellmarble")};
    cairo_surface_t* hint = load("cellhint");
    const char* rows[] = {"slate", "marble", "hint", "turned", "protanopia", "deuteranopia", "tritanopia"};
    for (int row = 0; row < 7; ++row) {
        const double y = 10 + row * (cell + 24);
        UseFont(cr, 14);
        cairo_set_source_rgb(cr, 0.95, 0.95, 0.9);
        cairo_move_to(cr, 10, y + 14);
        cairo_show_text(cr, rows[row]);
        Canvas strip(12 * 36, 36);  // the row at its real size
        cairo_t* sc = strip.cr();
        for (int i = 0; i < 12; ++i) {
            const int kind = i % 6 + 1;
            const bool marble = row == 1 || (row >= 2 && i >= 6);
            if (floors[marble]) {
                cairo_set_source_surface(sc, floors[marble], i * 36, 0);
                cairo_paint(sc);
            }
            if (cairo_surface_t* gem = load("cell" + std::to_string(kind))) {
                cairo_save(sc);
                cairo_translate(sc, i * 36 + 18, 18);
                if (row == 3) cairo_rotate(sc, M_PI);
                cairo_set_source_surface(sc, gem, -18, -18);
                cairo_paint(sc);
                cairo_restore(sc);
                cairo_surface_destroy(gem);
            }
            if (row == 2 && hint) {
                cairo_set_source_surface(sc, hint, i * 36, 0);
                cairo_paint(sc);
            }
        }
        if (row >= 4) {
            cairo_surface_flush(strip.surface());
            auto* data = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(strip.surface()));
            const int stride = cairo_image_surface_get_stride(strip.surface()) / 4;
            for (int py = 0; py < 36; ++py)
                for (int px = 0; px < 12 * 36; ++px) data[py * stride + px] = SeenWith(data[py * stride + px], row - 3);
            cairo_surface_mark_dirty(strip.surface());
        }
        cairo_save(cr);
        cairo_translate(cr, 40, y + 20);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, strip.surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    for (cairo_surface_t* s : {floors[0], floors[1], hint})
        if (s) cairo_surface_destroy(s);
    cairo_surface_write_to_png(c.surface(), out.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: vccontact <font.ttf> <output folder> <image folder>...\n");
        return 2;
    }
    LoadFont(argv[1]);
    const std::string out = argv[2];
    fs::create_directories(out);
    std::vector<fs::path> files;
    for (int i = 3; i < argc; ++i)
        for (const auto& e : fs::recursive_directory_iterator(argv[i])) {
            const std::string ext = e.path().extension().string();
            if (e.is_regular_file() && (ext == ".png" || ext == ".jpg")) files.push_back(e.path());
        }
    std::sort(files.begin(), files.end());
    ContactPages(files, out);

    // Board previews: needs the graphics folder (first argument) and a background.
    std::string graphics, background;
    for (const fs::path& f : files) {
        if (f.filename() == "cellnormal.png") graphics = f.parent_path().string();
        if (f.filename() == "gamescreen1.jpg") background = f.string();
    }
    if (graphics.empty()) return 0;
    const std::string menus = (fs::path(graphics).parent_path() / "menus").string();
    GemPage(graphics, out + "/gems.png");
    if (!background.empty())
        TitlePage(graphics, menus, (fs::path(background).parent_path() / "titlescreen.jpg").string(),
                  out + "/title.png");
    const std::vector<std::vector<std::string>> boards = {
        {"..................", "..................", "..................", "..................",
         "..................", "..................", "........#.........", "..................",
         "..................", "..................", "..................", "..................",
         "..................", ".................."},
        {"..................", ".################.", ".################.", ".###mmmmmmmmmm###.",
         ".###m########m###.", ".###m##.###.#m###.", ".###m#########m##.", ".###m##..####m###.",
         ".###m##..####m###.", ".###mmmmmmmmmm###.", ".################.", ".################.",
         ".################.", ".................."},
        {"..................", ".#.#.#.#...#######", "..#.#.#....#.....#", ".#.#.#.#...#.###.#",
         "...........#.#.#.#", ".###..##....##.##.", ".#m#..##....#...#.", ".###..........#...",
         "......#mm#...#.#..", "....###mm###......", "....##....##..#...", ".....######......#",
         "...##.....##.....#", ".................."},
    };
    const std::string backgrounds[] = {"gamescreen2.jpg", "gamescreen1.jpg", "gamescreen4.jpg"};
    for (size_t b = 0; b < boards.size(); ++b) {
        std::string bg = background;
        if (!bg.empty()) bg = (fs::path(bg).parent_path() / backgrounds[b]).string();
        BoardPage(graphics, bg, boards[b], out + "/board-" + std::to_string(b + 1) + ".png", b == 1);
    }
    return 0;
}
