// The application icon. It is drawn on a 256-unit square and scaled to each
// size, so the pixel icons and the scalable one are the same picture. Small
// sizes get a thinner margin and a larger gem, since detail is lost there.
#include "icon_art.h"

#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "art.h"
#include "canvas.h"

namespace art {
namespace {

constexpr double UNITS = 256.0;
constexpr int ICON_GEM = 5;  // the amethyst hexagon

void Tile(cairo_t* cr, double margin) {
    const double side = UNITS - 2 * margin;
    const double radius = side * 0.22;
    RoundedRect(cr, margin, margin, side, side, radius);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, margin, 0, UNITS - margin);
    AddStop(fill, 0, Hex(0x3b3180));
    AddStop(fill, 1, Hex(0x121634));
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    // A bright rim on top, fading to a dark one below.
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, margin, 0, UNITS - margin);
    AddStop(rim, 0, Hex(0xb7a8ff), 0.9);
    AddStop(rim, 1, Hex(0x080a1a), 0.9);
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, std::max(4.0, margin * 0.4));
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
}

// The picture on a context that maps 0..UNITS on the icon.
void DrawIcon(cairo_t* cr, bool small) {
    const double margin = small ? 6 : 16;
    Tile(cr, margin);
    const double c = UNITS / 2;
    Glow(cr, c, c - 6, small ? 110 : 96, Hex(0xe9c8ff), 0.45);
    // The gem is drawn at its board size of about 33 units across.
    const double scale = small ? 6.6 : 5.6;
    cairo_save(cr);
    cairo_translate(cr, c, c + 2);
    cairo_scale(cr, scale, scale);
    DrawGemImage(cr, ICON_GEM, 0, 0);
    cairo_restore(cr);
    if (!small) {
        Star(cr, 196, 62, 26, 5, 4, 0);
        SetColour(cr, {1, 1, 1}, 0.95);
        cairo_fill(cr);
    }
}

void PixelIcon(int size, const std::string& path) {
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    cairo_scale(cr, size / UNITS, size / UNITS);
    DrawIcon(cr, size <= 32);
    canvas.SavePNG(path);
}

void ScalableIcon(const std::string& path) {
    cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), UNITS, UNITS);
    cairo_svg_surface_restrict_to_version(surface, CAIRO_SVG_VERSION_1_1);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, false);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const cairo_status_t written = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS || written != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

void MakeIcons(const std::string& folder, const std::vector<int>& sizes) {
    MakeFolders(folder);
    for (int size : sizes) {
        const std::string n = std::to_string(size);
        PixelIcon(size, folder + "/" + n + "x" + n + ".png");
    }
    ScalableIcon(folder + "/scalable.svg");
}

int IconMain(int argc, char** argv) {
    if (argc < 1) {
        std::fprintf(stderr, "usage: vcart --icons <folder> <size>...\n");
        return 2;
    }
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 16 || size > 1024) {
            std::fprintf(stderr, "vcart: icon size %s out of range 16..1024\n", argv[i]);
            return 2;
        }
        sizes.push_back(size);
    }
    try {
        MakeIcons(argv[0], sizes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vcart: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace art
