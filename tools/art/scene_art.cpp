// Backgrounds, logos and particle images.
#include <cmath>
#include <string>

#include "art.h"
#include "canvas.h"

namespace art {
namespace {

struct Palette {
    RGB top, bottom, light, accent;
};

// A calm backdrop: a deep gradient, soft out-of-focus lights kept away from the
// board's middle, a faint lattice and a vignette.
void Backdrop(Canvas& c, const Palette& pal, uint64_t seed, bool rays) {
    cairo_t* cr = c.cr();
    const double w = c.Width(), h = c.Height();
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
    AddStop(p, 0, pal.top);
    AddStop(p, 1, pal.bottom);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);

    if (rays) {  // light falling from above the title
        for (int i = 0; i < 14; ++i) {
            const double a = M_PI / 2 + (i - 6.5) * 0.13;
            cairo_move_to(cr, w / 2, -80);
            cairo_line_to(cr, w / 2 + 1200 * std::cos(a - 0.03), -80 + 1200 * std::sin(a - 0.03));
            cairo_line_to(cr, w / 2 + 1200 * std::cos(a + 0.03), -80 + 1200 * std::sin(a + 0.03));
            cairo_close_path(cr);
            p = cairo_pattern_create_radial(w / 2, -80, 0, w / 2, -80, 700);
            AddStop(p, 0, pal.light, i % 2 ? 0.10 : 0.06);
            AddStop(p, 1, pal.light, 0);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
        }
    }

    Rng rng(seed);
    for (int i = 0; i < 46; ++i) {
        const double x = rng.Uniform(0, w), y = rng.Uniform(0, h);
        const double r = rng.Uniform(18, 90);
        // Lights near the middle of the screen are fainter so the board stays clear.
        const double dx = (x - w / 2) / (w / 2), dy = (y - h / 2) / (h / 2);
        const double edge = std::min(1.0, 0.25 + 0.75 * (dx * dx + dy * dy));
        const RGB colour = rng.Uniform() < 0.3 ? pal.accent : pal.light;
        Glow(cr, x, y, r, colour, rng.Uniform(0.05, 0.16) * edge);
    }
    // Faint diamond lattice.
    cairo_set_line_width(cr, 1);
    for (double k = -h; k < w + h; k += 48) {
        cairo_move_to(cr, k, 0);
        cairo_line_to(cr, k + h, h);
        cairo_move_to(cr, k, h);
        cairo_line_to(cr, k + h, 0);
    }
    SetColour(cr, pal.light, 0.035);
    cairo_stroke(cr);
    // Sparse twinkles.
    for (int i = 0; i < 40; ++i) {
        const double x = rng.Uniform(0, w), y = rng.Uniform(0, h);
        Star(cr, x, y, rng.Uniform(1.5, 4), 0.5, 4, 0);
        SetColour(cr, Lighter(pal.light, 0.5), rng.Uniform(0.15, 0.4));
        cairo_fill(cr);
    }
    // Vignette.
    p = cairo_pattern_create_radial(w / 2, h / 2, h * 0.35, w / 2, h / 2, w * 0.75);
    AddStop(p, 0, Hex(0x08060c), 0);
    AddStop(p, 1, Hex(0x08060c), 0.55);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void Background(const std::string& path, const Palette& pal, uint64_t seed, bool rays = false) {
    Canvas c(800, 600);
    Backdrop(c, pal, seed, rays);
    c.SaveJPEG(path, 90);
}

void TitleBackground(const std::string& path) {
    Canvas c(800, 600);
    const Palette pal{Hex(0x1c1848), Hex(0x0e1a30), Hex(0x9fb8ff), Hex(0xffc870)};
    Backdrop(c, pal, 77, true);
    cairo_t* cr = c.cr();
    // Scattered, softly blurred gems around the edges.
    Rng rng(78);
    const double spots[][2] = {{70, 470}, {140, 545}, {720, 480}, {650, 555}, {60, 90}, {740, 70},
                               {35, 300}, {770, 290}, {250, 570}, {560, 575}};
    for (int i = 0; i < 10; ++i) {
        cairo_save(cr);
        const double s = rng.Uniform(1.2, 2.0);
        cairo_translate(cr, spots[i][0], spots[i][1]);
        cairo_rotate(cr, rng.Uniform(-0.5, 0.5));
        cairo_scale(cr, s, s);
        cairo_push_group(cr);
        DrawGemImage(cr, i % 6 + 1, 0, 0);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.55);
        cairo_restore(cr);
    }
    c.SaveJPEG(path, 90);
}

void Logo(const std::string& path) {
    Canvas c(580, 170);
    cairo_t* cr = c.cr();
    cairo_save(cr);  // a soft halo that fades out well inside the image
    cairo_translate(cr, 290, 80);
    cairo_scale(cr, 3.4, 1.0);
    Glow(cr, 0, 0, 80, Hex(0x6f8cff), 0.16);
    cairo_restore(cr);
    Title(cr, "Vellichorns", 104, 290, 80, Hex(0xffe39a), Hex(0xc8842a), Hex(0x2e1a06));
    // A row of the six gems under the name.
    for (int i = 0; i < 6; ++i) DrawGemImage(cr, i + 1, 290 + (i - 2.5) * 42, 146);
    c.SavePNG(path);
}

void StudioLogo(const std::string& path) {
    Canvas c(420, 220);
    cairo_t* cr = c.cr();
    // The halo is an ellipse that fades to nothing well inside the image, so
    // no edge of the picture ever shows on the splash.
    cairo_save(cr);
    cairo_translate(cr, 210, 104);
    cairo_scale(cr, 1.75, 0.9);
    Glow(cr, 0, 0, 112, Hex(0xffe0a0), 0.3);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, 210, 78);
    cairo_scale(cr, 2.6, 2.6);
    DrawGemImage(cr, 4, 0, 0);
    cairo_restore(cr);
    Title(cr, "Pellorine", 56, 210, 172, Hex(0xf4f0ff), Hex(0xa9b4e0), Hex(0x1c1a30));
    Caption(cr, "G A M E S", 18, 210, 205, Hex(0xd9b463), Hex(0x1c1a30), 1.2);
    c.SavePNG(path);
}

void ParticleFrame(cairo_t* cr, int frame, double cx, double cy) {
    const RGB white{1, 1, 1};
    switch (frame) {
        case 0: Glow(cr, cx, cy, 60, white, 1.0); break;  // soft round glow
        case 1:                                           // four-point sparkle
            Glow(cr, cx, cy, 30, white, 0.8);
            Star(cr, cx, cy, 60, 7, 4, 0);
            SetColour(cr, white, 0.9);
            cairo_fill(cr);
            break;
        case 2:  // ring
            cairo_arc(cr, cx, cy, 44, 0, 2 * M_PI);
            cairo_set_line_width(cr, 10);
            SetColour(cr, white, 0.85);
            cairo_stroke(cr);
            Glow(cr, cx, cy, 60, white, 0.3);
            break;
        case 3:  // five-point star
            Glow(cr, cx, cy, 50, white, 0.5);
            Star(cr, cx, cy, 52, 22, 5, 0);
            SetColour(cr, white);
            cairo_fill(cr);
            break;
        case 4:  // cluster of dots
            for (int i = 0; i < 7; ++i) {
                const double a = i * 2 * M_PI / 7, r = i == 0 ? 0 : 34;
                Glow(cr, cx + r * std::cos(a), cy + r * std::sin(a), 18, white, 1.0);
            }
            break;
        case 5:  // crystal shard
            cairo_move_to(cr, cx, cy - 58);
            cairo_line_to(cr, cx + 22, cy);
            cairo_line_to(cr, cx, cy + 58);
            cairo_line_to(cr, cx - 22, cy);
            cairo_close_path(cr);
            SetColour(cr, white, 0.9);
            cairo_fill(cr);
            break;
        case 6:  // streak
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_scale(cr, 1.0, 0.16);
            Glow(cr, 0, 0, 62, white, 1.0);
            cairo_restore(cr);
            break;
        case 7:  // soft hexagon
            Glow(cr, cx, cy, 56, white, 0.4);
            Star(cr, cx, cy, 40, 40 * std::cos(M_PI / 6), 6, 0);
            SetColour(cr, white, 0.6);
            cairo_fill(cr);
            break;
        default:  // twinkle cross
            Glow(cr, cx, cy, 24, white, 1.0);
            Star(cr, cx, cy, 62, 4, 4, M_PI / 4);
            SetColour(cr, white, 0.7);
            cairo_fill(cr);
            Star(cr, cx, cy, 40, 3, 4, 0);
            SetColour(cr, white, 0.9);
            cairo_fill(cr);
            break;
    }
}

void Sparkle(const std::string& path, RGB tint, int points) {
    Canvas c(32, 32);
    cairo_t* cr = c.cr();
    Glow(cr, 16, 16, 12, tint, 0.8);
    Star(cr, 16, 16, 15.5, 2, points, 0);
    SetColour(cr, Lighter(tint, 0.6));
    cairo_fill(cr);
    cairo_arc(cr, 16, 16, 2.5, 0, 2 * M_PI);
    SetColour(cr, {1, 1, 1});
    cairo_fill(cr);
    c.SavePNG(path);
}

}  // namespace

void MakeScenes(const std::string& graphics, const std::string& archive) {
    const Palette game[5] = {
        {Hex(0x15203f), Hex(0x0b1020), Hex(0x7aa2ff), Hex(0x9ff0ff)},  // midnight blue
        {Hex(0x0e2e34), Hex(0x08161c), Hex(0x6fe0d0), Hex(0xbff7a0)},  // deep teal
        {Hex(0x2c1640), Hex(0x120a1e), Hex(0xc58cff), Hex(0xff9fd0)},  // plum
        {Hex(0x142c1c), Hex(0x0a140e), Hex(0x8fe09a), Hex(0xf0e08a)},  // forest
        {Hex(0x36161c), Hex(0x160a0e), Hex(0xff9a7a), Hex(0xffd890)},  // wine
    };
    for (int i = 0; i < 5; ++i)
        Background(archive + "gamescreen" + std::to_string(i + 1) + ".jpg", game[i], 100 + uint64_t(i));
    Background(archive + "playscreen.jpg", {Hex(0x1a2244), Hex(0x0c1224), Hex(0x9fb8ff), Hex(0xffc870)}, 200, true);
    TitleBackground(archive + "titlescreen.jpg");
    Sparkle(archive + "particle1.png", Hex(0xffe7a0), 4);
    Sparkle(archive + "particle2.png", Hex(0xffffff), 6);

    Canvas strip(9 * 128, 128);
    for (int f = 0; f < 9; ++f) ParticleFrame(strip.cr(), f, f * 128 + 64, 64);
    strip.SavePNG(graphics + "particles.png");
    Logo(graphics + "logo.png");
    StudioLogo(graphics + "pellorinelogo.png");
}

}  // namespace art
