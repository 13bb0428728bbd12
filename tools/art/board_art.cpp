// The board: floor cells, the six gems, the editor and play overlays, and the
// wall tiles with their decorations.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "art.h"
#include "canvas.h"
#include "puzzle/wall_tiles.h"

namespace art {
namespace {

constexpr int CELL = 36;

// ---- gems -------------------------------------------------------------------------
// The rules turn a gem half a turn for every cell it falls, so every gem must
// look the same upside down: each silhouette is point-symmetric about the
// cell centre and the shading depends on direction only through twice its
// angle (light on the upper-left and lower-right facets alike, none cast from
// one side). The six kinds differ in outline alone and in colour alone, also
// for players who confuse red with green or blue with yellow.

struct Point {
    double x, y;
};

struct GemKind {
    RGB colour;
    std::vector<Point> outline;  // relative to the centre, point-symmetric
    double table;                // size of the flat top relative to the outline
};

// n points on an ellipse, the first at the top; n a multiple of 4 keeps the
// alternating facets symmetric under a half turn.
std::vector<Point> Ellipse(int n, double rx, double ry, double rotation = 0) {
    std::vector<Point> p;
    for (int i = 0; i < n; ++i) {
        const double a = rotation + 2 * M_PI * i / n - M_PI / 2;
        p.push_back({rx * std::cos(a), ry * std::sin(a)});
    }
    return p;
}

std::vector<Point> StarPoints(int points, double outer, double inner, double rotation) {
    std::vector<Point> p;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = rotation + M_PI * i / points - M_PI / 2;
        const double r = i % 2 == 0 ? outer : inner;
        p.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return p;
}

std::vector<Point> CutSquare(double half, double cut) {
    return {{-half + cut, -half}, {half - cut, -half}, {half, -half + cut}, {half, half - cut},
            {half - cut, half},   {-half + cut, half}, {-half, half - cut}, {-half, -half + cut}};
}

std::vector<Point> Cross(double arm, double half) {
    return {{-half, -arm}, {half, -arm}, {half, -half}, {arm, -half},  {arm, half},  {half, half},
            {half, arm},   {-half, arm}, {-half, half}, {-arm, half}, {-arm, -half}, {-half, -half}};
}

GemKind Gem(int kind) {
    switch (kind) {
        case 1: return {Hex(0xb60400), Ellipse(16, 16.2, 16.2, M_PI / 16), 0.52};   // ruby: round
        case 2: return {Hex(0x0f219b), CutSquare(11.6, 1.2), 0.55};                  // sapphire: square
        case 3: return {Hex(0x3c9173), Ellipse(4, 12.6, 16.8), 0.50};                // emerald: tall rhombus
        case 4: return {Hex(0xf2d331), StarPoints(6, 16.8, 9.7, M_PI / 6), 0.46};    // topaz: six-pointed star
        case 5: return {Hex(0xf242ff), Cross(16.2, 5.0), 0.50};                      // amethyst: cross
        default: return {Hex(0xe1eeff), Ellipse(20, 16.4, 10.8), 0.55};              // moonstone: wide oval
    }
}

void PolyPath(cairo_t* cr, const std::vector<Point>& p, double cx, double cy, double scale = 1) {
    cairo_new_sub_path(cr);
    for (const Point& q : p) cairo_line_to(cr, cx + q.x * scale, cy + q.y * scale);
    cairo_close_path(cr);
}

// Brightness of a facet facing the direction (x, y): -1..1, the same for a
// facet and its opposite, with alternate facets a little apart.
double FacetLight(double x, double y, size_t index) {
    const double a = std::atan2(y, x);
    return 0.8 * std::cos(2 * (a + 3 * M_PI / 4)) + (index % 2 ? -0.2 : 0.2);
}

void DrawGem(cairo_t* cr, int kind, double cx, double cy) {
    const GemKind g = Gem(kind);
    const RGB base = g.colour;
    const RGB dark = Mix(Darker(base, 0.75), Hex(0x140a1e), 0.35);

    // A soft dark rim all round keeps light gems clear on marble.
    cairo_save(cr);
    cairo_new_path(cr);
    PolyPath(cr, g.outline, cx, cy);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 4.2);
    SetColour(cr, Hex(0x0c0812), 0.35);
    cairo_stroke(cr);

    cairo_new_path(cr);
    PolyPath(cr, g.outline, cx, cy);
    cairo_clip(cr);
    SetColour(cr, base);
    cairo_paint(cr);

    // Crown facets between the outline and the table.
    const size_t n = g.outline.size();
    for (size_t i = 0; i < n; ++i) {
        const Point a = g.outline[i], b = g.outline[(i + 1) % n];
        const double lit = FacetLight(a.x + b.x, a.y + b.y, i);
        const RGB c = lit > 0 ? Lighter(base, 0.38 * lit) : Darker(base, -0.36 * lit);
        cairo_new_path(cr);
        cairo_move_to(cr, cx + a.x * 1.02, cy + a.y * 1.02);
        cairo_line_to(cr, cx + b.x * 1.02, cy + b.y * 1.02);
        cairo_line_to(cr, cx + b.x * g.table, cy + b.y * g.table);
        cairo_line_to(cr, cx + a.x * g.table, cy + a.y * g.table);
        cairo_close_path(cr);
        SetColour(cr, c);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 0.6);
        SetColour(cr, Lighter(base, 0.4), 0.3);
        cairo_stroke(cr);
    }
    // The table: brightest in the middle.
    cairo_new_path(cr);
    PolyPath(cr, g.outline, cx, cy, g.table);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 9);
    AddStop(p, 0, Lighter(base, 0.45));
    AddStop(p, 0.7, Lighter(base, 0.08));
    AddStop(p, 1, base);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, Lighter(base, 0.6), 0.6);
    cairo_stroke(cr);
    // A sheen across the middle, along the lit diagonal.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, M_PI / 4);
    cairo_scale(cr, 1.0, 0.28);
    cairo_arc(cr, 0, 0, 15, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, {1, 1, 1}, 0.16);
    cairo_fill(cr);
    cairo_restore(cr);

    // Dark outline.
    cairo_new_path(cr);
    PolyPath(cr, g.outline, cx, cy);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, dark);
    cairo_stroke(cr);

    // A glint in the middle of the table.
    Star(cr, cx, cy, 4.2, 0.9, 4, 0);
    SetColour(cr, {1, 1, 1}, 0.9);
    cairo_fill(cr);
}

// ---- floor ------------------------------------------------------------------------

void Bevel(cairo_t* cr, double alphaLight, double alphaDark) {
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, 0.5, CELL - 0.5);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, CELL - 0.5, 0.5);
    SetColour(cr, {1, 1, 1}, alphaLight);
    cairo_stroke(cr);
    cairo_move_to(cr, CELL - 0.5, 0.5);
    cairo_line_to(cr, CELL - 0.5, CELL - 0.5);
    cairo_line_to(cr, 0.5, CELL - 0.5);
    SetColour(cr, Hex(0x0a0a14), alphaDark);
    cairo_stroke(cr);
}

void HoverFrame(cairo_t* cr, RGB glow) {
    for (int i = 0; i < 4; ++i) {
        cairo_rectangle(cr, 1.5 + i, 1.5 + i, CELL - 3 - 2 * i, CELL - 3 - 2 * i);
        cairo_set_line_width(cr, 1.0);
        SetColour(cr, glow, 0.75 - 0.18 * i);
        cairo_stroke(cr);
    }
}

void SlateFloor(const std::string& out, bool hover) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, CELL, CELL);
    const RGB base = hover ? Hex(0x56627c) : Hex(0x353d52);
    AddStop(p, 0, Lighter(base, 0.08));
    AddStop(p, 1, Darker(base, 0.12));
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    Rng rng(11);
    for (int i = 0; i < 60; ++i) {  // fine grain of the stone
        const double x = rng.Uniform(1, CELL - 1), y = rng.Uniform(1, CELL - 1);
        cairo_rectangle(cr, x, y, 1, 1);
        SetColour(cr, rng.Uniform() < 0.5 ? Lighter(base, 0.2) : Darker(base, 0.2), 0.35);
        cairo_fill(cr);
    }
    Bevel(cr, 0.16, 0.45);
    if (hover) HoverFrame(cr, Hex(0xbfe0ff));
    c.SavePNG(out);
}

void MarbleFloor(const std::string& out, bool hover) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    const RGB base = hover ? Hex(0xfff6df) : Hex(0xe9e3d5);
    cairo_pattern_t* p = cairo_pattern_create_radial(10, 8, 2, 18, 18, 34);
    AddStop(p, 0, Lighter(base, 0.5));
    AddStop(p, 1, Darker(base, 0.1));
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    // Veins: thin wandering grey lines, the same on every build.
    Rng rng(5);
    for (int v = 0; v < 4; ++v) {
        double x = rng.Uniform(-4, 40), y = rng.Uniform(-4, 10);
        double a = rng.Uniform(0.6, 2.4);
        cairo_move_to(cr, x, y);
        for (int s = 0; s < 14; ++s) {
            a += rng.Uniform(-0.6, 0.6);
            x += 3.4 * std::cos(a);
            y += 3.4 * std::sin(a);
            cairo_line_to(cr, x, y);
        }
        cairo_set_line_width(cr, v == 0 ? 1.1 : 0.6);
        SetColour(cr, Hex(0x8a8070), v == 0 ? 0.55 : 0.35);
        cairo_stroke(cr);
    }
    Bevel(cr, 0.6, 0.35);
    if (hover) HoverFrame(cr, Hex(0xffd76a));
    c.SavePNG(out);
}

// ---- overlays ---------------------------------------------------------------------

void ChainOverlay(const std::string& out) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    for (int d = 0; d < 2; ++d) {
        for (int i = -2; i <= 2; ++i) {
            cairo_save(cr);
            const double t = i * 7.0;
            const double x = 18 + t * 0.7071 * (d == 0 ? 1 : -1), y = 18 + t * 0.7071;
            cairo_translate(cr, x, y);
            cairo_rotate(cr, (d == 0 ? M_PI / 4 : -M_PI / 4) + ((i & 1) ? M_PI / 2 * 0 : 0));
            const bool side = (i & 1) != 0;  // alternate links face the viewer edge on
            cairo_scale(cr, 1.0, side ? 0.38 : 0.62);
            cairo_arc(cr, 0, 0, 5.2, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_set_line_width(cr, 4.0);
            SetColour(cr, Hex(0x2a2d36));
            cairo_stroke_preserve(cr);
            cairo_set_line_width(cr, 2.4);
            SetColour(cr, side ? Hex(0x9aa3b2) : Hex(0xcfd6e2));
            cairo_stroke(cr);
        }
    }
    c.SavePNG(out);
}

void CreateOverlay(const std::string& out) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    RoundedRect(cr, 2, 2, 32, 32, 6);
    cairo_set_line_width(cr, 2);
    SetColour(cr, Hex(0x46e07a), 0.9);
    cairo_stroke(cr);
    // A downward arrow: new gems come in from above.
    cairo_move_to(cr, 13, 6);
    cairo_line_to(cr, 23, 6);
    cairo_line_to(cr, 23, 16);
    cairo_line_to(cr, 29, 16);
    cairo_line_to(cr, 18, 29);
    cairo_line_to(cr, 7, 16);
    cairo_line_to(cr, 13, 16);
    cairo_close_path(cr);
    SetColour(cr, Hex(0x0f3a1f), 0.8);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, Hex(0x5cf08e), 0.9);
    cairo_fill(cr);
    c.SavePNG(out);
}

void FillOverlay(const std::string& out) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    cairo_rectangle(cr, 1, 1, 34, 34);
    cairo_clip(cr);
    for (int i = -36; i < 36; i += 6) {
        cairo_move_to(cr, i, 36);
        cairo_line_to(cr, i + 36, 0);
    }
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, Hex(0x8ad0ff), 0.55);
    cairo_stroke(cr);
    cairo_reset_clip(cr);
    RoundedRect(cr, 2, 2, 32, 32, 4);
    const double dash[] = {4, 3};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, Hex(0xb8e4ff), 0.9);
    cairo_stroke(cr);
    c.SavePNG(out);
}

void EmptyOverlay(const std::string& out) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    RoundedRect(cr, 1.5, 1.5, 33, 33, 4);
    SetColour(cr, Hex(0x141826), 0.55);
    cairo_fill_preserve(cr);
    const double dash[] = {3, 3};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, Hex(0x8890a8), 0.8);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_move_to(cr, 12, 12);
    cairo_line_to(cr, 24, 24);
    cairo_move_to(cr, 24, 12);
    cairo_line_to(cr, 12, 24);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Hex(0x8890a8), 0.8);
    cairo_stroke(cr);
    c.SavePNG(out);
}

void MarkedOverlay(const std::string& out) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    for (int i = 3; i >= 0; --i) {
        RoundedRect(cr, 2, 2, 32, 32, 6);
        cairo_set_line_width(cr, 2.2 + i * 1.6);
        SetColour(cr, Hex(0xffe27a), i == 0 ? 1.0 : 0.16);
        cairo_stroke(cr);
    }
    RoundedRect(cr, 2, 2, 32, 32, 6);
    cairo_set_line_width(cr, 0.8);
    SetColour(cr, Hex(0xfffbe8));
    cairo_stroke(cr);
    c.SavePNG(out);
}

// The hint: a bright ring between two dark ones and four sparks on the cell
// corners, so that it stands out on every gem colour and on marble alike.
void HintOverlay(const std::string& out) {
    Canvas c(CELL, CELL);
    cairo_t* cr = c.cr();
    const double r = 15.2;
    cairo_arc(cr, 18, 18, r, 0, 2 * M_PI);
    cairo_set_line_width(cr, 6.4);
    SetColour(cr, Hex(0x120c04), 0.75);
    cairo_stroke(cr);
    cairo_arc(cr, 18, 18, r, 0, 2 * M_PI);
    cairo_set_line_width(cr, 3.0);
    SetColour(cr, Hex(0xfff3b8));
    cairo_stroke(cr);
    cairo_arc(cr, 18, 18, r, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, {1, 1, 1});
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2 + M_PI / 4;
        const double x = 18 + 17.2 * std::cos(a), y = 18 + 17.2 * std::sin(a);
        Star(cr, x, y, 5.4, 1.6, 4, 0);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2.2);
        SetColour(cr, Hex(0x120c04), 0.75);
        cairo_stroke_preserve(cr);
        SetColour(cr, Hex(0xfff8d8));
        cairo_fill(cr);
    }
    c.SavePNG(out);
}

// ---- walls ------------------------------------------------------------------------

struct WallShape {
    bool left = false, right = false, top = false, bottom = false;
    bool nw = false, ne = false, sw = false, se = false;
};

WallShape ParseWall(std::string name) {
    WallShape s;
    name = name.substr(5);  // "wall-"
    const std::string deco = "decoration";
    if (name.size() > deco.size() && name.ends_with(deco)) name.resize(name.size() - deco.size());
    if (name.starts_with("corner-outside-")) name = name.substr(15);
    for (bool more = true; more;) {
        more = false;
        for (auto [word, flag] : {std::pair<const char*, bool*>{"top", &s.top},
                                  {"bottom", &s.bottom}, {"left", &s.left}, {"right", &s.right}}) {
            if (name.starts_with(word)) {
                *flag = true;
                name = name.substr(std::string(word).size());
                more = true;
            }
        }
    }
    if (name == "full") s.left = s.right = s.top = s.bottom = true, name.clear();
    for (size_t i = 0; i + 1 < name.size(); i += 2) {
        const std::string d = name.substr(i, 2);
        if (d == "nw") s.nw = true;
        if (d == "ne") s.ne = true;
        if (d == "sw") s.sw = true;
        if (d == "se") s.se = true;
    }
    return s;
}

struct Box {
    double x0, y0, x1, y1;
};

// Distance from (x, y) to the nearest floor next to the tile, with the unit
// direction pointing away from that floor.
double FloorDistance(const std::vector<Box>& floor, double x, double y, double& gx, double& gy) {
    double best = 1e9;
    gx = gy = 0;
    for (const Box& b : floor) {
        const double nx = std::clamp(x, b.x0, b.x1), ny = std::clamp(y, b.y0, b.y1);
        const double d = std::hypot(x - nx, y - ny);
        if (d < best) {
            best = d;
            if (d > 1e-9) gx = (x - nx) / d, gy = (y - ny) / d;
        }
    }
    return best;
}

constexpr double RIM = 11.0;     // width of the gilded rim around the floor
constexpr double SHADOW = 6.0;   // soft shadow beyond it

// Colour and alpha of the frame at distance d from the floor.
void FrameSample(double d, double gx, double gy, double rgba[4]) {
    rgba[0] = rgba[1] = rgba[2] = rgba[3] = 0;
    const RGB groove = Hex(0x1c1410);
    if (d < 1.3) {  // a dark groove where the frame meets the floor
        rgba[0] = groove.r, rgba[1] = groove.g, rgba[2] = groove.b, rgba[3] = 0.9;
        return;
    }
    if (d < RIM) {
        // A rounded moulding: height sin(pi t); its slope tilts the surface
        // towards or away from the floor.
        const double t = (d - 1.3) / (RIM - 1.3);
        const double slope = 1.7 * std::cos(M_PI * t);
        double nx = -slope * gx, ny = -slope * gy, nz = 1.0;
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        nx /= len, ny /= len, nz /= len;
        const double lx = -0.45, ly = -0.55, lz = 0.70;
        const double lambert = std::max(0.0, nx * lx + ny * ly + nz * lz);
        const double hz = 2 * lambert * nz - lz;  // reflection towards the viewer
        const double specular = std::pow(std::max(0.0, hz), 18) * 0.55;
        const RGB gold = Hex(0xc29a52);
        // A fine inlaid line along the middle of the moulding.
        const double inlay = std::abs(t - 0.55) < 0.06 ? 0.25 : 0.0;
        RGB c = Darker(gold, 0.62 - 0.62 * lambert + inlay * 0.6);
        c = Lighter(c, std::min(1.0, specular));
        rgba[0] = c.r, rgba[1] = c.g, rgba[2] = c.b, rgba[3] = 1.0;
        if (d > RIM - 1.2) rgba[0] *= 0.55, rgba[1] *= 0.55, rgba[2] *= 0.55;  // outer edge line
        return;
    }
    if (d < RIM + SHADOW) {
        const double t = (d - RIM) / SHADOW;
        const RGB s = Hex(0x0c0a10);
        rgba[0] = s.r, rgba[1] = s.g, rgba[2] = s.b, rgba[3] = 0.45 * (1 - t) * (1 - t);
    }
}

void WallTile(const std::string& out, const WallShape& s) {
    std::vector<Box> floor;
    const double n = CELL;
    if (s.left) floor.push_back({-n, 0, 0, n});
    if (s.right) floor.push_back({n, 0, 2 * n, n});
    if (s.top) floor.push_back({0, -n, n, 0});
    if (s.bottom) floor.push_back({0, n, n, 2 * n});
    if (s.nw) floor.push_back({-n, -n, 0, 0});
    if (s.ne) floor.push_back({n, -n, 2 * n, 0});
    if (s.sw) floor.push_back({-n, n, 0, 2 * n});
    if (s.se) floor.push_back({n, n, 2 * n, 2 * n});

    Canvas c(CELL, CELL);
    cairo_surface_flush(c.surface());
    unsigned char* data = cairo_image_surface_get_data(c.surface());
    const int stride = cairo_image_surface_get_stride(c.surface());
    constexpr int SS = 4;  // supersampling per axis
    for (int y = 0; y < CELL; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < CELL; ++x) {
            double acc[4] = {0, 0, 0, 0};  // premultiplied
            for (int sy = 0; sy < SS; ++sy)
                for (int sx = 0; sx < SS; ++sx) {
                    const double px = x + (sx + 0.5) / SS, py = y + (sy + 0.5) / SS;
                    double gx = 0, gy = 0, rgba[4];
                    FrameSample(FloorDistance(floor, px, py, gx, gy), gx, gy, rgba);
                    for (int k = 0; k < 3; ++k) acc[k] += rgba[k] * rgba[3];
                    acc[3] += rgba[3];
                }
            for (double& v : acc) v /= SS * SS;
            auto q = [](double v) { return uint32_t(std::clamp(v * 255.0 + 0.5, 0.0, 255.0)); };
            row[x] = (q(acc[3]) << 24) | (q(acc[0]) << 16) | (q(acc[1]) << 8) | q(acc[2]);
        }
    }
    cairo_surface_mark_dirty(c.surface());
    c.SavePNG(out);
}

// A small jewelled boss that sits on the rim.
void Boss(cairo_t* cr, double x, double y, double r, RGB jewel) {
    Glow(cr, x + 0.8, y + 1.2, r + 2.5, Hex(0x0c0a10), 0.5);
    for (int i = 0; i < 8; ++i) {  // petals
        const double a = i * M_PI / 4;
        cairo_arc(cr, x + r * 0.78 * std::cos(a), y + r * 0.78 * std::sin(a), r * 0.36, 0, 2 * M_PI);
        cairo_pattern_t* p = cairo_pattern_create_linear(x - r, y - r, x + r, y + r);
        AddStop(p, 0, Hex(0xfff0b8));
        AddStop(p, 1, Hex(0x8a6426));
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    cairo_arc(cr, x, y, r * 0.62, 0, 2 * M_PI);
    SetColour(cr, Hex(0x5a3e14));
    cairo_fill(cr);
    cairo_arc(cr, x, y, r * 0.48, 0, 2 * M_PI);
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.2, y - r * 0.2, 0, x, y, r * 0.5);
    AddStop(p, 0, Lighter(jewel, 0.6));
    AddStop(p, 1, Darker(jewel, 0.3));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_arc(cr, x - r * 0.17, y - r * 0.2, r * 0.14, 0, 2 * M_PI);
    SetColour(cr, {1, 1, 1}, 0.85);
    cairo_fill(cr);
}

void Decoration(const std::string& out, const WallShape& s, bool full) {
    Canvas c(CELL, CELL);
    const double mid = RIM / 2 + 0.6;
    double x = 18, y = 18;
    if (!full) {
        if (s.left && !s.right) x = mid;
        if (s.right && !s.left) x = CELL - mid;
        if (s.top && !s.bottom) y = mid;
        if (s.bottom && !s.top) y = CELL - mid;
    }
    Boss(c.cr(), x, y, full ? 8.5 : 6.5, full ? Hex(0xd8304a) : Hex(0x2aa8b8));
    c.SavePNG(out);
}

}  // namespace

void DrawGemImage(cairo_t* cr, int kind, double cx, double cy) { DrawGem(cr, kind, cx, cy); }

void MakeBoardArt(const std::string& graphics) {
    for (int kind = 1; kind <= 6; ++kind) {
        Canvas c(CELL, CELL);
        DrawGem(c.cr(), kind, 18, 18);
        c.SavePNG(graphics + "cell" + std::to_string(kind) + ".png");
    }
    SlateFloor(graphics + "cellnormal.png", false);
    SlateFloor(graphics + "cellnormalmo.png", true);
    MarbleFloor(graphics + "cellmarble.png", false);
    MarbleFloor(graphics + "cellmarblemo.png", true);
    ChainOverlay(graphics + "cellchain.png");
    CreateOverlay(graphics + "cellcreate.png");
    FillOverlay(graphics + "cellfill.png");
    EmptyOverlay(graphics + "cellempty.png");
    MarkedOverlay(graphics + "cellmarked.png");
    HintOverlay(graphics + "cellhint.png");

    for (const walls::TileRow& tile : walls::TILES) {
        WallTile(graphics + tile.image + ".png", ParseWall(tile.image));
        if (tile.decoration) {
            Decoration(graphics + tile.decoration + ".png", ParseWall(tile.image),
                       std::string(tile.image) == "wall-full");
        }
    }
}

}  // namespace art
