// A match cleared on a board drawn headless: the bursts of "score1.par" and
// "score2.par" (written by parwriter from the game's effect sources) show
// over the cleared gems a few frames apart and are gone once they end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "puzzle/puzzle_test_util.h"
#include "screens/board_effects.h"
#include "screens/puzzle_file_hooks.h"

namespace {

namespace fs = std::filesystem;

// Nine soft round blobs of 128 x 128, a little different each.
plat::ImagePtr ParticleStrip() {
    plat::TPixmap strip(128 * PARTICLE_FRAMES, 128);
    strip.Clear(0);
    for (int f = 0; f < PARTICLE_FRAMES; ++f)
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                const float d = std::hypot(x - 63.5f, y - 63.5f) / (40.0f + 2.5f * f);
                if (d >= 1) continue;
                const int a = static_cast<int>(255 * (1 - d) * (1 - d));
                strip.WritePixel(f * 128 + x, y, plat::ARGB(a, 255, 255, 255));
            }
    return plat::LoadAnimImageFromPixmap(strip, 128, 128, 0, PARTICLE_FRAMES, 0);
}

int Brightness(const plat::TPixmap& screen, int cx, int cy, int radius) {
    int sum = 0;
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x) {
            const uint32_t p = screen.ReadPixel(x, y);
            sum += plat::PixR(p) + plat::PixG(p) + plat::PixB(p);
        }
    return sum;
}

class BurstDrawTest : public PuzzleTest {
protected:
    void SetUp() override {
        PuzzleTest::SetUp();
        const fs::path dir = fs::path(VC_TEST_BINARY_DIR) / "burst-draw-test";
        fs::remove_all(dir);
        fs::create_directories(dir / "data/resources");
        Game().DataPrefix = (dir / "").string();
        for (const char* name : {"score1", "score2"}) {
            const std::string source = std::string(VC_TEST_SOURCE_DIR) + "/assets/effects/" + name + ".partxt";
            ASSERT_TRUE(fs::exists(source)) << "the effect source " << source << " is missing";
            const std::string command = std::string(VC_PARWRITER) + " " + source + " " + ResourceFolder() + name + ".par";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
        ASSERT_TRUE(LoadParticleEffects().empty());
        InstallPuzzleFileHooks();
    }
    void TearDown() override {
        SetScoreEffect(1, nullptr);
        SetScoreEffect(2, nullptr);
        TSmashParticle::SetImage(plat::ImagePtr{});
        PuzzleTest::TearDown();
    }
};

}  // namespace

TEST_F(BurstDrawTest, ClearedMatchBurstsAndTheBurstEnds) {
    plat::ResetDrawingState();
    ASSERT_TRUE(plat::OpenGraphics(plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT, 0, 0));
    TSmashParticle::SetImage(ParticleStrip());

    TCellBox box;
    // A run of three on normal floor (row 3) and one on marble (row 6).
    std::vector<std::string> layout = FullRows("................");
    layout[5] = "......mmm.......";
    std::vector<std::string> gems = FullRows("");
    gems[2] = "....111.........";
    gems[5] = "......222.......";
    BuildBox(box, layout, gems);
    box.CheckCells();
    ASSERT_TRUE(box.CellAt(6, 3).Particle);
    ASSERT_TRUE(box.CellAt(8, 6).Particle);

    const int normalX = PixelX(6), normalY = PixelY(3);
    const int marbleX = PixelX(8), marbleY = PixelY(6);
    std::vector<int> normal, marble;
    int ticks = 0;
    for (int shot : {2, 30, 90}) {
        Tick(box, shot - ticks);
        ticks = shot;
        plat::SetClsColor(0, 0, 0);
        plat::Cls();
        plat::SetBlend(plat::ALPHABLEND);
        box.DrawCells();
        auto screen = plat::GrabPixmap(0, 0, plat::LOGICAL_WIDTH, plat::LOGICAL_HEIGHT);
        ASSERT_TRUE(screen);
        plat::SavePixmapPNG(*screen, std::string(VC_TEST_BINARY_DIR) + "/burst_" + std::to_string(shot) + ".png");
        normal.push_back(Brightness(*screen, normalX, normalY, 40));
        marble.push_back(Brightness(*screen, marbleX, marbleY, 40));
    }
    // Light over both runs right after the match, spreading and fading.
    EXPECT_GT(normal[0], 0);
    EXPECT_GT(marble[0], 0);
    EXPECT_GT(marble[1], 0);
    EXPECT_LT(normal[2], normal[1]);

    // The gems are gone, the loop was cleared, and the bursts end and are dropped.
    Tick(box, 1000);
    EXPECT_EQ(box.CellAt(6, 3).Contents, 0);
    EXPECT_FALSE(box.CellAt(6, 3).Particle);
    EXPECT_FALSE(box.CellAt(8, 6).Particle);
    plat::CloseGraphics();
}
