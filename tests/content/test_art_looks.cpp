// How the built art looks in play, drawn through the game's own renderer:
// gems look the same after the half turns of falling, the six kinds differ in
// outline and in colour (also as players with each kind of dichromacy see
// them), clearing bursts sparkle without turning the board white, the hint
// stands out on every gem and on marble, dialog panels hide what lies behind
// them and glows fade out inside their pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/game.h"
#include "platform/graphics.h"
#include "puzzle/puzzle_test_util.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"
#include "screens/board_effects.h"
#include "screens/puzzle_file_hooks.h"

namespace fs = std::filesystem;

namespace {

const std::string GRAPHICS = "Data/graphics/";

// ---- colour science -----------------------------------------------------------------

struct Lab {
    double L, a, b;
};

enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr std::array<Vision, 4> VISIONS = {Vision::Normal, Vision::Protanopia, Vision::Deuteranopia,
                                           Vision::Tritanopia};
const char* Name(Vision v) {
    switch (v) {
        case Vision::Normal: return "normal vision";
        case Vision::Protanopia: return "protanopia";
        case Vision::Deuteranopia: return "deuteranopia";
        case Vision::Tritanopia: return "tritanopia";
    }
    return "";
}

double Linear(double c) {
    c /= 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The colour as seen with the given vision (Machado, Oliveira and Fernandes'
// simulation at full severity, on linear RGB), in CIELAB under D65.
Lab ToLab(const std::array<double, 3>& srgb, Vision vision) {
    static const double M[3][3][3] = {
        {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
        {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
        {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};
    std::array<double, 3> rgb = {Linear(srgb[0]), Linear(srgb[1]), Linear(srgb[2])};
    if (vision != Vision::Normal) {
        const auto& m = M[static_cast<int>(vision) - 1];
        std::array<double, 3> s{};
        for (int i = 0; i < 3; ++i)
            s[i] = std::clamp(m[i][0] * rgb[0] + m[i][1] * rgb[1] + m[i][2] * rgb[2], 0.0, 1.0);
        rgb = s;
    }
    const double X = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
    const double Y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
    const double Z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return {116 * f(Y) - 16, 500 * (f(X) - f(Y)), 200 * (f(Y) - f(Z))};
}

double Deg(double rad) { return rad * 180.0 / M_PI; }
double Rad(double deg) { return deg * M_PI / 180.0; }

// CIEDE2000 colour difference.
double DeltaE(const Lab& p, const Lab& q) {
    const double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b), cm = (c1 + c2) / 2;
    const double g = 0.5 * (1 - std::sqrt(std::pow(cm, 7) / (std::pow(cm, 7) + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    const double C1 = std::hypot(a1, p.b), C2 = std::hypot(a2, q.b);
    auto hue = [](double b, double a) { return a == 0 && b == 0 ? 0.0 : std::fmod(Deg(std::atan2(b, a)) + 360, 360); };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    double dh = 0;
    if (C1 * C2 != 0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        if (dh < -180) dh += 360;
    }
    const double dL = q.L - p.L, dC = C2 - C1, dH = 2 * std::sqrt(C1 * C2) * std::sin(Rad(dh / 2));
    const double Lm = (p.L + q.L) / 2, Cm = (C1 + C2) / 2;
    double hm = h1 + h2;
    if (C1 * C2 != 0) hm = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2 : (h1 + h2 + (h1 + h2 < 360 ? 360 : -360)) / 2;
    const double t = 1 - 0.17 * std::cos(Rad(hm - 30)) + 0.24 * std::cos(Rad(2 * hm)) +
                     0.32 * std::cos(Rad(3 * hm + 6)) - 0.20 * std::cos(Rad(4 * hm - 63));
    const double rc = 2 * std::sqrt(std::pow(Cm, 7) / (std::pow(Cm, 7) + std::pow(25.0, 7)));
    const double rt = -std::sin(Rad(60 * std::exp(-std::pow((hm - 275) / 25, 2)))) * rc;
    const double sl = 1 + 0.015 * (Lm - 50) * (Lm - 50) / std::sqrt(20 + (Lm - 50) * (Lm - 50));
    const double sc = 1 + 0.045 * Cm, sh = 1 + 0.015 * Cm * t;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) + rt * (dC / sc) * (dH / sh));
}

int Distance(uint32_t p, uint32_t q) {
    return std::abs(plat::PixR(p) - plat::PixR(q)) + std::abs(plat::PixG(p) - plat::PixG(q)) +
           std::abs(plat::PixB(p) - plat::PixB(q));
}

bool NearWhite(uint32_t p) { return std::min({plat::PixR(p), plat::PixG(p), plat::PixB(p)}) >= 235; }

// ---- the fixture ----------------------------------------------------------------------

class ArtLooksTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { fs::current_path(VC_TEST_BINARY_DIR); }

    void SetUp() override {
        ResetGlobals();
        ResetResourceGlobals();
        ResetPuzzleGlobals();
        PuzzleHooks() = TPuzzleHooks{};
        ErrorOnScreen = 0;
        ErrorLogEnabled = 0;
        Game().DataPrefix = "";
        Game().ImagePath = GRAPHICS;
        plat::SeedRnd(2024);
        Delta = 1.0f;
        ASSERT_TRUE(plat::OpenGraphics(plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT, 0, 0));
        plat::ResetDrawingState();
        PointBanksAtFolders();
        for (const std::string& name : CellImageNames()) ASSERT_TRUE(CellBank().Load(name, "", plat::DEFAULT_FLAGS, 1));
    }
    void TearDown() override {
        SetScoreEffect(1, nullptr);
        SetScoreEffect(2, nullptr);
        TSmashParticle::SetImage(plat::ImagePtr{});
        PuzzleHooks() = TPuzzleHooks{};
        ResetResourceGlobals();
        plat::CloseGraphics();
    }

    static plat::TImage& Cell(const std::string& name) { return *CellBank().FindTImage(name); }
    static void Clear(int grey) {
        plat::ResetDrawingState();
        plat::SetClsColor(grey, grey, grey);
        plat::Cls();
        plat::SetBlend(plat::ALPHABLEND);
    }
    // The gem drawn the way a board cell draws it, glowing as a marked gem does.
    static void DrawGem(int kind, float x, float y, float rotation, bool glowing) {
        plat::SetRotation(rotation);
        plat::DrawImage(Cell("cell" + std::to_string(kind)), x, y);
        if (glowing) {
            plat::SetBlend(plat::LIGHTBLEND);
            plat::SetColor(77, 77, 77);
            plat::DrawImage(Cell("cell" + std::to_string(kind)), x, y);
            plat::SetColor(255, 255, 255);
            plat::SetBlend(plat::ALPHABLEND);
        }
        plat::SetRotation(0);
    }
    static plat::PixmapPtr Grab(int x, int y, int w, int h) { return plat::GrabPixmap(x, y, w, h); }
};

// ---- gems ------------------------------------------------------------------------------

TEST_F(ArtLooksTest, GemsLookTheSameTurnedHalfRound) {
    for (int kind = 1; kind <= GEM_KINDS; ++kind)
        for (const bool glowing : {false, true}) {
            Clear(128);
            DrawGem(kind, 100, 100, 0, glowing);
            DrawGem(kind, 200, 100, 180, glowing);
            const auto upright = Grab(78, 78, 44, 44), turned = Grab(178, 78, 44, 44);
            ASSERT_TRUE(upright && turned);
            int total = 0, far = 0;
            for (int y = 0; y < 44; ++y)
                for (int x = 0; x < 44; ++x) {
                    const int d = Distance(upright->ReadPixel(x, y), turned->ReadPixel(x, y));
                    total += d;
                    far += d > 3 * 40;
                }
            EXPECT_LE(total / (3.0 * 44 * 44), 2.0) << "gem " << kind << (glowing ? " glowing" : "");
            EXPECT_LE(far, 44 * 44 / 100) << "gem " << kind << (glowing ? " glowing" : "");
        }
}

// Silhouette (alpha at least half) and body colour (mean of the pixels lying
// two pixels or more inside the silhouette, so the dark rim does not count).
struct GemLook {
    std::vector<bool> mask;
    std::array<double, 3> body{};
};

GemLook Look(const plat::TPixmap& p) {
    const int w = p.Width(), h = p.Height();
    GemLook look;
    look.mask.assign(size_t(w) * size_t(h), false);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) look.mask[size_t(y * w + x)] = (p.ReadPixel(x, y) >> 24) >= 128;
    int n = 0;
    for (int y = 2; y < h - 2; ++y)
        for (int x = 2; x < w - 2; ++x) {
            bool inside = true;
            for (int j = -2; j <= 2 && inside; ++j)
                for (int i = -2; i <= 2 && inside; ++i) inside = look.mask[size_t((y + j) * w + x + i)];
            if (!inside) continue;
            const uint32_t q = p.ReadPixel(x, y);
            look.body[0] += plat::PixR(q), look.body[1] += plat::PixG(q), look.body[2] += plat::PixB(q);
            ++n;
        }
    for (double& c : look.body) c /= std::max(n, 1);
    return look;
}

TEST_F(ArtLooksTest, GemKindsDifferInOutlineAloneAndInColourAloneForEveryEye) {
    std::vector<GemLook> looks;
    for (int kind = 1; kind <= GEM_KINDS; ++kind) {
        const plat::PixmapPtr p = plat::LoadPixmap(GRAPHICS + "cell" + std::to_string(kind) + ".png");
        ASSERT_TRUE(p);
        looks.push_back(Look(*p));
    }
    for (size_t i = 0; i < looks.size(); ++i)
        for (size_t j = i + 1; j < looks.size(); ++j) {
            int both = 0, either = 0;
            for (size_t k = 0; k < looks[i].mask.size(); ++k) {
                both += looks[i].mask[k] && looks[j].mask[k];
                either += looks[i].mask[k] || looks[j].mask[k];
            }
            // The share of the two outlines' area that only one of them covers.
            EXPECT_GE(1.0 - double(both) / either, 0.2) << "gems " << i + 1 << " and " << j + 1 << " share their outline";
            for (const Vision v : VISIONS) {
                const double d = DeltaE(ToLab(looks[i].body, v), ToLab(looks[j].body, v));
                EXPECT_GE(d, 15.0) << "gems " << i + 1 << " and " << j + 1 << " look alike with " << Name(v);
            }
        }
}

// ---- the clearing burst -------------------------------------------------------------------

class BurstLooksTest : public ArtLooksTest {
protected:
    void SetUp() override {
        ArtLooksTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(LoadParticleImage());
        // The effects as the game reads them, from its archive.
        ASSERT_TRUE(CheckDataPak());
        ASSERT_TRUE(MountArchives().empty());
        ASSERT_TRUE(LoadParticleEffects().empty());
        InstallPuzzleFileHooks();
    }
};

// A board full of gems without a match; a row of `length` gems of one kind is
// put at (column, row) on marble or on normal floor, surrounded by marble.
void BoardWithRun(TCellBox& box, int column, int row, int length, bool onMarble) {
    std::vector<std::string> layout = FullRows("................");
    for (int r = row - 2; r <= row; ++r)
        for (int c = column - 2; c <= column + length; ++c) layout[size_t(r)][size_t(c)] = 'm';
    if (!onMarble)
        for (int c = column - 1; c < column + length - 1; ++c) layout[size_t(row - 1)][size_t(c)] = '.';
    std::vector<std::string> gems = FullRows("................");
    for (size_t r = 0; r < gems.size(); ++r)
        for (size_t c = 0; c < gems[r].size(); ++c) gems[r][c] = char('1' + (c * 2 + r) % 6);
    const size_t r = size_t(row - 1);
    char kind = '1';
    while (kind == gems[r][size_t(column - 2)] || kind == gems[r][size_t(column - 1 + length)]) ++kind;
    for (int c = column - 1; c < column - 1 + length; ++c) gems[r][size_t(c)] = kind;
    BuildBox(box, layout, gems);
}

// Draws the board as the game screen does; without the bursts when asked.
plat::PixmapPtr DrawBoard(TCellBox& box, bool bursts) {
    std::vector<std::pair<TCell*, std::shared_ptr<TCellEffect>>> kept;
    if (!bursts)
        for (int c = 0; c < BOARD_COLUMNS; ++c)
            for (int r = 0; r < BOARD_ROWS; ++r)
                if (box.CellAt(c, r).Particle) kept.emplace_back(&box.CellAt(c, r), std::move(box.CellAt(c, r).Particle));
    plat::ResetDrawingState();
    plat::SetClsColor(20, 24, 40);
    plat::Cls();
    plat::SetBlend(plat::ALPHABLEND);
    box.Draw();
    for (auto& [cell, effect] : kept) cell->Particle = std::move(effect);
    return plat::GrabPixmap(0, 0, plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT);
}

TEST_F(BurstLooksTest, ClearingBurstSparklesWithoutWhitingOutTheBoard) {
    struct Case {
        int length;
        bool onMarble;
    };
    for (const Case k : {Case{3, true}, Case{3, false}, Case{5, true}}) {
        const std::string what = std::to_string(k.length) + (k.onMarble ? " on marble" : " on normal floor");
        TCellBox box;
        const int column = 6, row = 6;
        BoardWithRun(box, column, row, k.length, k.onMarble);
        box.CheckCells();
        ASSERT_TRUE(box.CellAt(column, row).Particle) << what;
        // The cleared cells with one cell round them.
        const int x0 = box.CellAt(column - 1, row - 1).GetCalculatedX() - CELL_SIZE / 2;
        const int y0 = box.CellAt(column - 1, row - 1).GetCalculatedY() - CELL_SIZE / 2;
        const int w = (k.length + 2) * CELL_SIZE, h = 3 * CELL_SIZE;
        int ticks = 0;
        for (const int moment : {5, 15, 25, 35, 50, 80}) {  // the gems fade for 40 ticks
            Tick(box, moment - ticks);
            ticks = moment;
            const auto with = DrawBoard(box, true), without = DrawBoard(box, false);
            ASSERT_TRUE(with && without);
            int white = 0, lit = 0;
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x) {
                    const uint32_t p = with->ReadPixel(x, y), q = without->ReadPixel(x, y);
                    white += NearWhite(p) && !NearWhite(q);
                    lit += Distance(p, q) >= 60;
                }
            const double area = double(w) * h;
            EXPECT_LE(white / area, 0.03) << what << ", tick " << moment << ": the burst turns the board white";
            if (moment == 15) {
                EXPECT_GE(lit / area, 0.02) << what << ": the burst hardly shows";
            }
        }
    }
}

// ---- hint, panels, glows ------------------------------------------------------------------

TEST_F(ArtLooksTest, HintStandsOutOnEveryGemAndOnMarble) {
    struct Ground {
        const char* floor;
        int gem;
    };
    std::vector<Ground> grounds = {{"cellmarble", 0}, {"cellnormal", 0}};
    for (int kind = 1; kind <= GEM_KINDS; ++kind) {
        grounds.push_back({"cellnormal", kind});
        grounds.push_back({"cellmarble", kind});
    }
    for (const Ground& g : grounds) {
        Clear(0);
        for (const float x : {100.0f, 200.0f}) {
            plat::DrawImage(Cell(g.floor), x, 100);
            if (g.gem) plat::DrawImage(Cell("cell" + std::to_string(g.gem)), x, 100);
        }
        plat::DrawImage(Cell("cellhint"), 200, 100);
        const auto plain = Grab(82, 82, 36, 36), hinted = Grab(182, 82, 36, 36);
        ASSERT_TRUE(plain && hinted);
        int changed = 0;
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 36; ++x) changed += Distance(plain->ReadPixel(x, y), hinted->ReadPixel(x, y)) >= 150;
        EXPECT_GE(changed, 36 * 36 / 5) << "the hint on " << g.floor << " with gem " << g.gem;
    }
}

TEST_F(ArtLooksTest, DialogPanelsHideWhatLiesBehindThem) {
    for (const std::string name :
         {"input", "inputlong", "entername", "manager", "managerwide", "endlevelback", "menu"}) {
        const plat::PixmapPtr p = plat::LoadPixmap(GRAPHICS + name + ".png");
        ASSERT_TRUE(p) << name;
        int seeThrough = 0;
        for (int y = 12; y < p->Height() - 12; ++y)
            for (int x = 12; x < p->Width() - 12; ++x) seeThrough += (p->ReadPixel(x, y) >> 24) < 255;
        EXPECT_EQ(seeThrough, 0) << name;
    }
}

// The help picture's swap arrow stands on the two gems of the second row whose
// swap makes the run shown there (not on the row above, where no swap helps).
TEST_F(ArtLooksTest, HelpPictureArrowStandsOnTheSwapThatMatches) {
    const plat::PixmapPtr p = plat::LoadPixmap(GRAPHICS + "helpimage.png");
    ASSERT_TRUE(p);
    constexpr int left = 28, top = 34, cell = 36;  // the scene's grid
    int lowest = -1, highest = 1000, leftmost = 1000, rightmost = -1;
    for (int y = 0; y < top + 4 * cell; ++y)
        for (int x = 0; x < p->Width(); ++x) {
            const uint32_t c = p->ReadPixel(x, y);
            if (plat::PixR(c) != 0xff || plat::PixG(c) != 0xf0 || plat::PixB(c) != 0xc0) continue;
            lowest = std::max(lowest, y);
            highest = std::min(highest, y);
            leftmost = std::min(leftmost, x);
            rightmost = std::max(rightmost, x);
        }
    ASSERT_GE(lowest, 0) << "no arrow";
    EXPECT_GE(lowest, top + cell + 6) << "the arrow does not reach down to the second row";
    EXPECT_GE(highest, top + cell / 2) << "the arrow runs over the first row";
    EXPECT_GE(leftmost, left + 2 * cell);
    EXPECT_LE(rightmost, left + 4 * cell);
}

TEST_F(ArtLooksTest, GlowsFadeOutInsideTheirPictures) {
    auto edgeAlpha = [](const plat::TPixmap& p, int x0, int w) {
        int most = 0;
        for (int x = x0; x < x0 + w; ++x)
            most = std::max({most, int(p.ReadPixel(x, 0) >> 24), int(p.ReadPixel(x, p.Height() - 1) >> 24)});
        for (int y = 0; y < p.Height(); ++y)
            most = std::max({most, int(p.ReadPixel(x0, y) >> 24), int(p.ReadPixel(x0 + w - 1, y) >> 24)});
        return most;
    };
    for (const std::string& file : {GRAPHICS + "logo.png", std::string("data/graphics/pellorinelogo.png")}) {
        const plat::PixmapPtr p = plat::LoadPixmap(file);
        ASSERT_TRUE(p) << file;
        EXPECT_LE(edgeAlpha(*p, 0, p->Width()), 2) << file;
    }
    const plat::PixmapPtr strip = plat::LoadPixmap(GRAPHICS + "particles.png");
    ASSERT_TRUE(strip);
    for (int frame = 0; frame < strip->Width() / 128; ++frame)
        EXPECT_LE(edgeAlpha(*strip, frame * 128, 128), 2) << "particle frame " << frame;
}

}  // namespace
