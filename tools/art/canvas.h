#pragma once
// Drawing helpers shared by the art generator: Cairo surfaces, colours,
// shapes, the game's font and writers for PNG and JPEG files.
#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

namespace art {

struct RGB {
    double r = 0, g = 0, b = 0;
};
RGB Hex(uint32_t rgb);
RGB Mix(RGB a, RGB b, double t);
RGB Lighter(RGB c, double t);  // towards white
RGB Darker(RGB c, double t);   // towards black

// A Cairo image surface with its context.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // PNG with real alpha; no visible pixel is left pure black or pure magenta,
    // so colour-key masking never punches holes.
    void SavePNG(const std::string& path);
    // Opaque JPEG at the given quality (background images).
    void SaveJPEG(const std::string& path, int quality);

private:
    void AvoidKeyColours();
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// ---- colour and shape helpers ---------------------------------------------------
void SetColour(cairo_t* cr, RGB c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, RGB c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double rotation);
// A soft round glow of the colour, fading to transparent at the radius.
void Glow(cairo_t* cr, double cx, double cy, double radius, RGB c, double alpha);

// ---- text ------------------------------------------------------------------------
// Loads the game's TrueType face once; every text of the art uses it.
void LoadFont(const std::string& ttfPath);
void UseFont(cairo_t* cr, double size);
// Width of the text at the current font.
double TextWidth(cairo_t* cr, const std::string& text);
// Adds the text's outline to the path, centred on (cx, cy) by its ink box.
void TextPathCentred(cairo_t* cr, const std::string& text, double cx, double cy);
// A filled caption with a soft dark outline and a drop shadow.
void Caption(cairo_t* cr, const std::string& text, double size, double cx, double cy, RGB fill,
             RGB outline, double outlineWidth = 2.0, double alpha = 1.0);
// A large title: vertical gradient fill between two colours, outline and glow.
void Title(cairo_t* cr, const std::string& text, double size, double cx, double cy, RGB top, RGB bottom,
           RGB outline);

// ---- deterministic randomness -------------------------------------------------------
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next();
    double Uniform(double lo = 0.0, double hi = 1.0);

private:
    uint64_t state_;
};

void MakeFolders(const std::string& path);

}  // namespace art
