#include "canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace art {

RGB Hex(uint32_t rgb) {
    return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0};
}
RGB Mix(RGB a, RGB b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
RGB Lighter(RGB c, double t) { return Mix(c, {1, 1, 1}, t); }
RGB Darker(RGB c, double t) { return Mix(c, {0, 0, 0}, t); }

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

namespace {
// Cairo's own rounding when it writes premultiplied pixels out as straight colour.
int Unpremultiply(int c, int a) { return (c * 255 + a / 2) / a; }
}  // namespace

void Canvas::AvoidKeyColours() {
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < width_; ++x) {
            uint32_t p = row[x];
            const int a = int(p >> 24);
            if (a == 0) {
                row[x] = 0;
                continue;
            }
            const int r = Unpremultiply(int((p >> 16) & 255), a);
            const int g = Unpremultiply(int((p >> 8) & 255), a);
            const int b = Unpremultiply(int(p & 255), a);
            if (r == 0 && g == 0 && b == 0) p |= 1u;              // the faintest blue
            if (r == 255 && g == 0 && b == 255) p |= (1u << 8);   // a trace of green
            row[x] = p;
        }
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::SavePNG(const std::string& path) {
    AvoidKeyColours();
    if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

void Canvas::SaveJPEG(const std::string& path, int quality) {
    cairo_surface_flush(surface_);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width_);
    info.image_height = JDIMENSION(height_);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::vector<unsigned char> line(size_t(width_) * 3);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < width_; ++x) {  // backgrounds are opaque
            line[size_t(x) * 3 + 0] = (row[x] >> 16) & 255;
            line[size_t(x) * 3 + 1] = (row[x] >> 8) & 255;
            line[size_t(x) * 3 + 2] = row[x] & 255;
        }
        JSAMPROW rows[1] = {line.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

void SetColour(cairo_t* cr, RGB c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void AddStop(cairo_pattern_t* p, double offset, RGB c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = rotation + M_PI * i / points - M_PI / 2;
        const double r = (i % 2 == 0) ? outer : inner;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, RGB c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    AddStop(p, 0, c, alpha);
    AddStop(p, 0.4, c, alpha * 0.45);
    AddStop(p, 1, c, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

namespace {
struct FontHolder {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    cairo_font_face_t* cairoFace = nullptr;
};
FontHolder& Font() {
    static FontHolder holder;
    return holder;
}
}  // namespace

void LoadFont(const std::string& ttfPath) {
    FontHolder& f = Font();
    if (FT_Init_FreeType(&f.library) || FT_New_Face(f.library, ttfPath.c_str(), 0, &f.face))
        throw std::runtime_error("cannot load font " + ttfPath);
    f.cairoFace = cairo_ft_font_face_create_for_ft_face(f.face, 0);
}

void UseFont(cairo_t* cr, double size) {
    cairo_set_font_face(cr, Font().cairoFace);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

void TextPathCentred(cairo_t* cr, const std::string& text, double cx, double cy) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    // Centre horizontally by the ink, vertically by the capital height so that
    // captions with and without descenders sit alike.
    const double capHeight = fe.ascent * 0.70;
    cairo_move_to(cr, cx - e.width / 2 - e.x_bearing, cy + capHeight / 2);
    cairo_text_path(cr, text.c_str());
}

void Caption(cairo_t* cr, const std::string& text, double size, double cx, double cy, RGB fill, RGB outline,
             double outlineWidth, double alpha) {
    cairo_save(cr);
    UseFont(cr, size);
    cairo_new_path(cr);
    TextPathCentred(cr, text, cx + 1.2, cy + 1.8);  // shadow
    SetColour(cr, Darker(outline, 0.3), 0.45 * alpha);
    cairo_fill(cr);
    TextPathCentred(cr, text, cx, cy);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, outlineWidth * 2);
    SetColour(cr, outline, 0.85 * alpha);
    cairo_stroke_preserve(cr);
    SetColour(cr, fill, alpha);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Title(cairo_t* cr, const std::string& text, double size, double cx, double cy, RGB top, RGB bottom,
           RGB outline) {
    cairo_save(cr);
    UseFont(cr, size);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Soft glow behind the letters.
    for (int i = 4; i >= 1; --i) {
        cairo_new_path(cr);
        TextPathCentred(cr, text, cx, cy);
        cairo_set_line_width(cr, size * 0.06 * i);
        SetColour(cr, Lighter(top, 0.2), 0.07);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    TextPathCentred(cr, text, cx + size * 0.03, cy + size * 0.05);
    cairo_set_line_width(cr, size * 0.08);
    SetColour(cr, Hex(0x0b0814), 0.55);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_new_path(cr);
    TextPathCentred(cr, text, cx, cy);
    cairo_set_line_width(cr, size * 0.08);
    SetColour(cr, outline);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - size * 0.4, 0, cy + size * 0.35);
    AddStop(p, 0, Lighter(top, 0.45));
    AddStop(p, 0.45, top);
    AddStop(p, 1, bottom);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

uint32_t Rng::Next() {
    // xorshift64*: small, fast and the same on every machine.
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return uint32_t((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

double Rng::Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() / 4294967296.0); }

void MakeFolders(const std::string& path) { std::filesystem::create_directories(path); }

}  // namespace art
