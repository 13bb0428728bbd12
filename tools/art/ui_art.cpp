// Buttons, panels, labels, headers and the small interface pieces.
#include <cmath>
#include <string>
#include <vector>

#include "art.h"
#include "canvas.h"

namespace art {
namespace {

// The interface palette: deep blue enamel framed in antique gold.
const RGB ENAMEL = Hex(0x21507e);
const RGB ENAMEL_HOVER = Hex(0x3a84c6);
const RGB AMBER = Hex(0xb7781f);
const RGB AMBER_HOVER = Hex(0xe3a23a);
const RGB GOLD = Hex(0xd9b463);
const RGB GOLD_LIGHT = Hex(0xfff0c0);
const RGB INK = Hex(0x0e1626);
const RGB CREAM = Hex(0xfff8e8);

enum class Look { Plain, Hover, On, OnHover };

enum class Icon { None, Left, Right, Up, Down, CheckBox };

RGB BodyColour(Look look) {
    switch (look) {
        case Look::Plain: return ENAMEL;
        case Look::Hover: return ENAMEL_HOVER;
        case Look::On: return AMBER;
        case Look::OnHover: return AMBER_HOVER;
    }
    return ENAMEL;
}

bool Hovered(Look look) { return look == Look::Hover || look == Look::OnHover; }

// The enamel plate of a button, inset by the margin so its glow stays inside.
void ButtonBody(cairo_t* cr, double w, double h, Look look) {
    const double m = 3, x = m, y = m, bw = w - 2 * m, bh = h - 2 * m, r = bh * 0.38;
    const RGB body = BodyColour(look);
    if (Hovered(look)) {
        for (int i = 3; i >= 1; --i) {
            RoundedRect(cr, x - i * 0.8, y - i * 0.8, bw + i * 1.6, bh + i * 1.6, r + i);
            SetColour(cr, GOLD_LIGHT, 0.10);
            cairo_fill(cr);
        }
    } else {
        RoundedRect(cr, x + 1, y + 2, bw, bh, r);
        SetColour(cr, INK, 0.45);
        cairo_fill(cr);
    }
    RoundedRect(cr, x, y, bw, bh, r);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + bh);
    AddStop(p, 0, Lighter(body, 0.35));
    AddStop(p, 0.48, body);
    AddStop(p, 0.52, Darker(body, 0.12));
    AddStop(p, 1, Darker(body, 0.38));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 2.0);
    p = cairo_pattern_create_linear(0, y, 0, y + bh);
    AddStop(p, 0, Hovered(look) ? GOLD_LIGHT : Lighter(GOLD, 0.3));
    AddStop(p, 1, Darker(GOLD, 0.35));
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    // Glassy upper sheen.
    RoundedRect(cr, x + 3, y + 2.5, bw - 6, bh * 0.42, r * 0.8);
    SetColour(cr, {1, 1, 1}, Hovered(look) ? 0.22 : 0.14);
    cairo_fill(cr);
}

void Arrow(cairo_t* cr, double cx, double cy, double size, Icon icon, bool hover) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double angle = icon == Icon::Left ? M_PI : icon == Icon::Up ? -M_PI / 2 : icon == Icon::Down ? M_PI / 2 : 0;
    cairo_rotate(cr, angle);
    cairo_move_to(cr, size * 0.55, 0);
    cairo_line_to(cr, -size * 0.4, -size * 0.5);
    cairo_line_to(cr, -size * 0.4, size * 0.5);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 3);
    SetColour(cr, INK, 0.8);
    cairo_stroke_preserve(cr);
    SetColour(cr, hover ? Hex(0xffffff) : CREAM);
    cairo_fill(cr);
}

// The box alone: the game writes the label right of it.
void CheckBox(cairo_t* cr, double h, bool on, bool hover) {
    const double box = h - 8, bx = 4, by = 4;
    RoundedRect(cr, bx, by, box, box, 5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, by, 0, by + box);
    AddStop(p, 0, hover ? Hex(0x2a4a70) : Hex(0x17283f));
    AddStop(p, 1, hover ? Hex(0x3c6a9c) : Hex(0x24405f));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 2);
    SetColour(cr, hover ? GOLD_LIGHT : GOLD);
    cairo_stroke(cr);
    if (on) {
        cairo_move_to(cr, bx + box * 0.2, by + box * 0.52);
        cairo_line_to(cr, bx + box * 0.42, by + box * 0.75);
        cairo_line_to(cr, bx + box * 0.82, by + box * 0.22);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 5);
        SetColour(cr, INK, 0.7);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 3);
        SetColour(cr, Hex(0x7dff9a));
        cairo_stroke(cr);
    }
}

// Faces carry no words: the game sets each label from its text table
// (gui/button_labels.h in the game holds the sizes they are drawn for).
struct ButtonSpec {
    std::string name;  // file name without "MO"/".png"
    std::string hoverName;
    int w, h;
    Icon icon = Icon::None;
    bool toggle = false;  // also "On" and "OnMO" images
};

void Button(const std::string& folder, const ButtonSpec& b, Look look, const std::string& file) {
    Canvas c(b.w, b.h);
    cairo_t* cr = c.cr();
    const bool hover = Hovered(look);
    if (b.icon == Icon::CheckBox) {
        CheckBox(cr, b.h, look == Look::On || look == Look::OnHover, hover);
    } else {
        ButtonBody(cr, b.w, b.h, look);
        if (b.icon != Icon::None) Arrow(cr, b.w / 2.0, b.h / 2.0, b.h * 0.42, b.icon, hover);
    }
    c.SavePNG(folder + file + ".png");
}

void MakeButton(const std::string& folder, const ButtonSpec& b) {
    const std::string hover = b.hoverName.empty() ? b.name + "MO" : b.hoverName;
    Button(folder, b, Look::Plain, b.name);
    Button(folder, b, Look::Hover, hover);
    if (b.toggle) {
        Button(folder, b, Look::On, b.name + "On");
        Button(folder, b, Look::OnHover, b.name + "OnMO");
    }
}

// ---- panels -----------------------------------------------------------------------

// A framed panel: translucent or solid dark enamel with a double gold line.
void Panel(cairo_t* cr, double x, double y, double w, double h, double r, double alpha, RGB top, RGB bottom) {
    RoundedRect(cr, x + 2, y + 4, w - 2, h - 4, r);
    SetColour(cr, INK, 0.35 * alpha);
    cairo_fill(cr);
    RoundedRect(cr, x + 1, y + 1, w - 4, h - 5, r);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
    AddStop(p, 0, top, alpha);
    AddStop(p, 1, bottom, alpha);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 2);
    SetColour(cr, GOLD, 0.95);
    cairo_stroke(cr);
    RoundedRect(cr, x + 5, y + 5, w - 12, h - 13, std::max(2.0, r - 4));
    cairo_set_line_width(cr, 1);
    SetColour(cr, GOLD, 0.35);
    cairo_stroke(cr);
}

void SavePanel(const std::string& path, int w, int h, double alpha) {
    Canvas c(w, h);
    Panel(c.cr(), 0, 0, w, h, 14, alpha, Hex(0x22324f), Hex(0x121a2c));
    c.SavePNG(path);
}

// The plate above the pause menu's buttons: a gem at either end with a short
// gold rule inside it; the game writes the heading between the rules.
void PausePlate(const std::string& path) {
    const int w = 300, h = 60;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Panel(cr, 0, 0, w, h, 16, 1.0, Hex(0x2a3f63), Hex(0x121a2c));
    const double cy = (1 + h - 4) / 2.0;  // middle of the face above its shadow
    for (int side = -1; side <= 1; side += 2) {
        const double inner = w / 2.0 + side * 92, outer = w / 2.0 + side * 112;
        cairo_pattern_t* p = cairo_pattern_create_linear(inner, 0, outer, 0);
        AddStop(p, 0, GOLD, 0.2);
        AddStop(p, 1, GOLD, 0.95);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, std::min(inner, outer), cy - 1, std::abs(outer - inner), 2);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_save(cr);
        cairo_translate(cr, w / 2.0 + side * 124, cy);
        cairo_scale(cr, 0.62, 0.62);
        DrawGemImage(cr, side < 0 ? 1 : 4, 0, 0);
        cairo_restore(cr);
    }
    c.SavePNG(path);
}

// The panel behind the end-level menu, drawn at the screen centre with its
// three buttons (34 high, 10 apart) centred on the screen: the game writes
// the heading in the band above them; a row of the six gems fills the band below.
// A faint gold line across the panel at y, fading out at both ends.
void PanelRule(cairo_t* cr, double w, double y) {
    cairo_pattern_t* p = cairo_pattern_create_linear(30, 0, w - 30, 0);
    AddStop(p, 0, GOLD, 0);
    AddStop(p, 0.5, GOLD, 0.55);
    AddStop(p, 1, GOLD, 0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 30, y - 0.5, w - 60, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// The end-of-puzzle panel: a band for the heading, the summary's rows, the
// three buttons' band and the six gems at the foot (the game draws the words
// and places the buttons; see screens/end_level_menu.cpp for the bands).
void EndLevelPanel(const std::string& path) {
    const int w = 400, h = 460;
    const double buttonsTop = 262, buttonsBottom = buttonsTop + 3 * 34 + 2 * 10;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    Panel(cr, 0, 0, w, h, 14, 1.0, Hex(0x22324f), Hex(0x121a2c));
    PanelRule(cr, w, 82);
    PanelRule(cr, w, buttonsTop - 16);
    const double footY = (buttonsBottom + h - 9) / 2;
    for (int side = -1; side <= 1; side += 2) {  // gold rules either side of the gems
        cairo_pattern_t* p = cairo_pattern_create_linear(w / 2.0 + side * 130, 0, w / 2.0 + side * 170, 0);
        AddStop(p, 0, GOLD, 0.9);
        AddStop(p, 1, GOLD, 0);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, side < 0 ? w / 2.0 - 170 : w / 2.0 + 130, footY - 1, 40, 2);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    for (int kind = 1; kind <= 6; ++kind) {
        cairo_save(cr);
        cairo_translate(cr, w / 2.0 + (kind - 3.5) * 40, footY);
        cairo_scale(cr, 0.85, 0.85);
        DrawGemImage(cr, kind, 0, 0);
        cairo_restore(cr);
    }
    c.SavePNG(path);
}

// A number drawn as a picture (the score particles).
void Label(const std::string& path, int w, int h, const std::string& text, double size, RGB fill) {
    Canvas c(w, h);
    Caption(c.cr(), text, size, w / 2.0, h / 2.0, fill, INK, 2);
    c.SavePNG(path);
}

// A screen heading's rule, the right-hand one (or the left, mirrored): a
// diamond at the inner end and a gold line fading outwards. The game sets
// the heading between the two and stretches the line to the plate's end.
void HeaderRule(const std::string& path, bool left) {
    const int w = 232, h = 14;
    const double cy = h / 2.0, dx = left ? w - 6 : 6, side = left ? -1 : 1;
    Canvas c(w, h);
    cairo_t* cr = c.cr();
    cairo_pattern_t* p = cairo_pattern_create_linear(dx, 0, left ? 0 : w, 0);
    AddStop(p, 0, GOLD, 0.95);
    AddStop(p, 1, GOLD, 0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, left ? 0 : dx, cy - 1, w - 6, 2);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_move_to(cr, dx, cy - 6);
    cairo_line_to(cr, dx + side * 6, cy);
    cairo_line_to(cr, dx, cy + 6);
    cairo_line_to(cr, dx - side * 6, cy);
    cairo_close_path(cr);
    SetColour(cr, GOLD_LIGHT);
    cairo_fill(cr);
    c.SavePNG(path);
}

void Progress(const std::string& graphics) {
    const int w = 170, h = 24;
    {
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        RoundedRect(cr, 1, 1, w - 2, h - 2, 10);
        SetColour(cr, Hex(0x0f1624), 0.85);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2);
        SetColour(cr, GOLD);
        cairo_stroke(cr);
        c.SavePNG(graphics + "progress.png");
    }
    {
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        RoundedRect(cr, 1, 1, w - 2, h - 2, 10);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
        AddStop(p, 0, Hex(0xbff6ff));
        AddStop(p, 0.5, Hex(0x34c2e0));
        AddStop(p, 1, Hex(0x17708f));
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        cairo_set_line_width(cr, 2);
        SetColour(cr, GOLD_LIGHT);
        cairo_stroke(cr);
        RoundedRect(cr, 5, 3, w - 10, 7, 4);
        SetColour(cr, {1, 1, 1}, 0.35);
        cairo_fill(cr);
        c.SavePNG(graphics + "progressmo.png");
    }
}

void LevelSlots(const std::string& graphics) {
    const int w = 172, h = 138;
    {
        Canvas c(w, h);
        Panel(c.cr(), 0, 0, w, h, 10, 0.82, Hex(0x22324f), Hex(0x121a2c));
        c.SavePNG(graphics + "levelback.png");
    }
    {
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        Panel(cr, 0, 0, w, h, 10, 0.9, Hex(0x3a5b8a), Hex(0x1c2c48));
        RoundedRect(cr, 1, 1, w - 4, h - 5, 10);
        cairo_set_line_width(cr, 3.5);
        SetColour(cr, GOLD_LIGHT);
        cairo_stroke(cr);
        c.SavePNG(graphics + "levelhighlight.png");
    }
    {
        Canvas c(30, 30);
        cairo_t* cr = c.cr();
        cairo_arc(cr, 15, 15, 13, 0, 2 * M_PI);
        cairo_pattern_t* p = cairo_pattern_create_radial(11, 10, 1, 15, 15, 14);
        AddStop(p, 0, Hex(0x9dffb0));
        AddStop(p, 1, Hex(0x1c9a44));
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        cairo_set_line_width(cr, 1.6);
        SetColour(cr, Hex(0x0c3a1c));
        cairo_stroke(cr);
        cairo_move_to(cr, 8.5, 15.5);
        cairo_line_to(cr, 13, 20.5);
        cairo_line_to(cr, 21.5, 9.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 3.2);
        SetColour(cr, {1, 1, 1});
        cairo_stroke(cr);
        c.SavePNG(graphics + "check.png");
    }
}

void HelpStrip(const std::string& graphics) {
    Canvas c(760, 40);
    cairo_t* cr = c.cr();
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 760, 0);
    AddStop(p, 0, Hex(0x0e1626), 0);
    AddStop(p, 0.12, Hex(0x0e1626), 0.72);
    AddStop(p, 0.88, Hex(0x0e1626), 0.72);
    AddStop(p, 1, Hex(0x0e1626), 0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, 0, 2, 760, 36);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    for (double y : {1.5, 38.5}) {
        p = cairo_pattern_create_linear(0, 0, 760, 0);
        AddStop(p, 0, GOLD, 0);
        AddStop(p, 0.5, GOLD, 0.9);
        AddStop(p, 1, GOLD, 0);
        cairo_set_source(cr, p);
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, 760, y);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
    }
    c.SavePNG(graphics + "helptextback.png");
}

void TextBack(const std::string& graphics) {
    Canvas c(400, 60);
    RoundedRect(c.cr(), 0, 0, 400, 60, 12);
    SetColour(c.cr(), Hex(0x0e1626), 0.65);
    cairo_fill(c.cr());
    c.SavePNG(graphics + "textback.png");
}

void HelpImage(const std::string& graphics) {
    // A little scene: a row about to be completed on marble, with a swap arrow.
    Canvas c(200, 250);
    cairo_t* cr = c.cr();
    Panel(cr, 0, 0, 200, 250, 12, 0.85, Hex(0x22324f), Hex(0x121a2c));
    const int kinds[4][4] = {{2, 5, 3, 6}, {1, 1, 4, 1}, {3, 6, 2, 5}, {4, 2, 5, 3}};
    const double ox = 28, oy = 34;
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 4; ++col) {
            const bool marble = r == 1 || (r == 2 && col == 1);
            const double x = ox + col * 36, y = oy + r * 36;
            cairo_rectangle(cr, x, y, 36, 36);
            SetColour(cr, marble ? Hex(0xe9e3d5) : Hex(0x353d52));
            cairo_fill_preserve(cr);
            SetColour(cr, Hex(0x0e1626), 0.5);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
            DrawGemImage(cr, kinds[r][col], x + 18, y + 18);
        }
    // Swap arrow over the gems of row 1, columns 2 and 3, whose swap makes
    // the run of three in that row: from the top of one gem, arching over
    // the line between the rows, to the top of the other.
    const double rowTop = oy + 36;
    cairo_move_to(cr, ox + 2.5 * 36, rowTop + 10);
    cairo_curve_to(cr, ox + 2.5 * 36 + 4, rowTop - 12, ox + 3.5 * 36 - 4, rowTop - 12, ox + 3.5 * 36, rowTop + 10);
    cairo_set_line_width(cr, 5);
    SetColour(cr, INK, 0.8);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3);
    SetColour(cr, GOLD_LIGHT);
    cairo_stroke(cr);
    // The game writes its two lines of words in the space below the board.
    c.SavePNG(graphics + "helpimage.png");
}

void Slider(const std::string& graphics) {
    {
        Canvas c(260, 24);
        cairo_t* cr = c.cr();
        RoundedRect(cr, 10, 7, 240, 10, 5);
        SetColour(cr, Hex(0x0f1624), 0.9);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.5);
        SetColour(cr, GOLD);
        cairo_stroke(cr);
        for (int i = 0; i <= 10; ++i) {  // ticks along the usable length
            const double x = 22 + i * (260 - 44) / 10.0;
            cairo_move_to(cr, x, 19.5);
            cairo_line_to(cr, x, 23);
            cairo_set_line_width(cr, 1);
            SetColour(cr, GOLD, 0.6);
            cairo_stroke(cr);
        }
        c.SavePNG(graphics + "slider.png");
    }
    {
        Canvas c(24, 24);
        cairo_t* cr = c.cr();
        cairo_arc(cr, 12, 12, 9.5, 0, 2 * M_PI);
        cairo_pattern_t* p = cairo_pattern_create_radial(9, 8, 1, 12, 12, 10);
        AddStop(p, 0, GOLD_LIGHT);
        AddStop(p, 1, Hex(0x9a6a22));
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        cairo_set_line_width(cr, 1.6);
        SetColour(cr, Hex(0x3a220c));
        cairo_stroke(cr);
        c.SavePNG(graphics + "marker.png");
    }
}

void Pointer(const std::string& graphics) {
    Canvas c(32, 32);
    cairo_t* cr = c.cr();
    auto path = [&](double dx, double dy) {
        cairo_new_path(cr);
        cairo_move_to(cr, 2 + dx, 2 + dy);
        cairo_line_to(cr, 2 + dx, 24 + dy);
        cairo_line_to(cr, 8 + dx, 18.5 + dy);
        cairo_line_to(cr, 12.5 + dx, 28 + dy);
        cairo_line_to(cr, 16.5 + dx, 26 + dy);
        cairo_line_to(cr, 12 + dx, 17 + dy);
        cairo_line_to(cr, 19.5 + dx, 16.5 + dy);
        cairo_close_path(cr);
    };
    path(1.5, 2);
    SetColour(cr, INK, 0.35);
    cairo_fill(cr);
    path(0, 0);
    cairo_pattern_t* p = cairo_pattern_create_linear(2, 2, 16, 26);
    AddStop(p, 0, Hex(0xffffff));
    AddStop(p, 1, Hex(0xffd98a));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, Hex(0x2a1a08));
    cairo_stroke(cr);
    c.SavePNG(graphics + "pointer.png");
}

void LoadingBar(const std::string& graphics) {
    const int w = 300, h = 20;
    for (int kind = 0; kind < 3; ++kind) {
        Canvas c(w, h);
        cairo_t* cr = c.cr();
        RoundedRect(cr, 1, 1, w - 2, h - 2, 9);
        if (kind == 1) {
            SetColour(cr, Hex(0x0f1624), 0.85);
        } else {
            cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
            AddStop(p, 0, kind == 2 ? Hex(0xfff6c8) : Hex(0xffe7a0));
            AddStop(p, 0.5, kind == 2 ? Hex(0xf2c04e) : Hex(0xe0a436));
            AddStop(p, 1, Hex(0x8a5a17));
            cairo_set_source(cr, p);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(p);
            RoundedRect(cr, 1, 1, w - 2, h - 2, 9);
        }
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.6);
        SetColour(cr, GOLD);
        cairo_stroke(cr);
        if (kind != 1) {
            RoundedRect(cr, 5, 3, w - 10, 6, 3);
            SetColour(cr, {1, 1, 1}, 0.4);
            cairo_fill(cr);
        }
        const char* names[] = {"loadingbar.png", "loadingbarempty.png", "loadingbarfinal.png"};
        c.SavePNG(graphics + names[kind]);
    }
}

}  // namespace

void MakeButtons(const std::string& menus) {
    const std::vector<ButtonSpec> buttons = {
        // title menu
        {"play", "", 240, 52},
        {"help", "", 240, 52},
        {"options", "", 240, 52},
        {"highscore", "", 240, 52},
        {"Exit", "exitMO", 240, 52},
        {"continue", "", 200, 52},
        {"changeplayer", "", 210, 36},
        // play screen
        {"playsmall", "", 140, 42},
        {"load", "", 140, 42},
        {"customsmall", "", 140, 42},
        {"backsmall", "", 140, 42},
        {"standardlevel", "", 210, 40, Icon::None, true},
        {"customlevel", "", 210, 40, Icon::None, true},
        {"dailylevel", "", 210, 40, Icon::None, true},
        {"arrowLeft", "", 64, 48, Icon::Left},
        {"arrowRight", "", 64, 48, Icon::Right},
        // in game
        {"menu", "", 84, 36},
        {"hint", "", 84, 36},
        {"savecustom", "", 150, 34},
        {"loadcustom", "", 150, 34},
        {"reset", "", 150, 34},
        {"backtomenu", "", 220, 34},
        {"undo", "", 88, 36},
        {"redo", "", 88, 36},
        {"mirror", "", 88, 36, Icon::None, true},
        {"try", "", 88, 36},
        {"backtoeditor", "", 220, 34},
        {"resume", "", 220, 34},
        {"restartpuzzle", "", 220, 34},
        {"shufflepuzzle", "", 220, 34},
        {"savegame", "", 220, 34},
        {"nextpuzzle", "", 220, 34},
        // options, help, high scores
        {"oksmall", "", 120, 40},
        // a plain small plate: Cancel on the options, the page switch of the help
        {"platesmall", "", 120, 40},
        {"clear", "", 120, 40},
        {"check", "", 200, 36, Icon::CheckBox, true},
        // a language choice: the game writes each language's name on it
        {"language", "", 130, 34, Icon::None, true},
        // dialogs, player manager and file chooser
        {"OK", "", 110, 36},
        {"Yes", "", 110, 36},
        {"No", "", 110, 36},
        {"Cancel", "", 110, 36},
        {"Create", "", 110, 36},
        {"Delete", "", 110, 36},
        {"Up", "", 44, 36, Icon::Up},
        {"Down", "", 44, 36, Icon::Down},
    };
    for (const ButtonSpec& b : buttons) MakeButton(menus, b);
}

void MakePanels(const std::string& graphics) {
    Progress(graphics);
    LevelSlots(graphics);
    TextBack(graphics);
    HelpStrip(graphics);
    Label(graphics + "score1.png", 44, 24, "+25", 20, Hex(0xe8f4ff));
    Label(graphics + "score2.png", 50, 28, "+50", 24, Hex(0xffd860));
    {  // the game writes "Paused" and how to go on over it
        Canvas c(420, 120);
        Panel(c.cr(), 0, 0, 420, 120, 18, 0.92, Hex(0x2a3f63), Hex(0x121a2c));
        c.SavePNG(graphics + "paused.png");
    }
    SavePanel(graphics + "blackback.png", 680, 400, 0.78);
    // Dialog panels are opaque: nothing of the screen or menu behind them shows through.
    SavePanel(graphics + "input.png", 440, 200, 1.0);
    SavePanel(graphics + "inputlong.png", 560, 320, 1.0);
    SavePanel(graphics + "entername.png", 440, 200, 1.0);
    SavePanel(graphics + "manager.png", 450, 400, 1.0);
    SavePanel(graphics + "managerwide.png", 640, 400, 1.0);
    PausePlate(graphics + "menu.png");
    EndLevelPanel(graphics + "endlevelback.png");
    HelpImage(graphics);
    Slider(graphics);
    Pointer(graphics);
    LoadingBar(graphics);
    HeaderRule(graphics + "headerrule.png", false);
    HeaderRule(graphics + "headerruleleft.png", true);
}

}  // namespace art
