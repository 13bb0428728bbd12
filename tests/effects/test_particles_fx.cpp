// Particle-effect emitters: emission counts and windows, lifetimes, the loop
// flag, the ".par" file and its writer, and the board's bursts in game time.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "resources/fixed_rate_logic.h"
#include "app/game.h"
#include "effects/particle_fx.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/stream.h"
#include "resources/resource_globals.h"
#include "screens/board_effects.h"

namespace {

namespace fs = std::filesystem;

// An effect with only emitter 0 on.
TSmashParticleFX OneEmitter(float rate, float eachFrame, float duration, float life) {
    TSmashParticleFX fx;
    TEmitter& e = fx.Emitter[0];
    e.RenderType = RENDER_ADD;
    e.EmissionRate = rate;
    e.EmissionEachFrame = eachFrame;
    e.EmitterDuration = duration;
    e.LifeTime = life;
    return fx;
}

// Particles created by each of the first `frames` renders.
std::vector<size_t> EmittedPerFrame(TEmitter& e, int frames, bool emit = true) {
    std::vector<size_t> out;
    for (int i = 0; i < frames; ++i) {
        const size_t before = e.Particles.size();
        e.Advance(1.0f, emit);
        out.push_back(e.Particles.size() - before);
    }
    return out;
}

TParRecords SampleRecords() {
    TParRecords records;
    TEmitterConfig& a = records[0];
    a.RenderType = RENDER_ADD;
    a.Image = 8;
    a.EmitterDelay = 2;
    a.EmissionRate = 2.5f;
    a.SizeVar = 0.25f;
    a.LaunchSize = 0.75f;
    a.SpeedVarX = 1.5f;
    a.GravityY = 0.05f;
    a.ColorG = 10;
    a.LifeTime = 60;
    records[3] = a;
    records[3].RenderType = RENDER_MUL;
    records[3].ColorChangeB = -1.25f;
    return records;
}

class ParticleFXTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobals();
        ResetResourceGlobals();
        SetScoreEffect(1, nullptr);
        SetScoreEffect(2, nullptr);
        plat::SeedRnd(7);
        Delta = 1.0f;
        dir = fs::path(VC_TEST_BINARY_DIR) / "particle-fx-test" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        SetScoreEffect(1, nullptr);
        SetScoreEffect(2, nullptr);
    }
    std::string File(const std::string& name) const { return (dir / name).string(); }

    fs::path dir;
};

}  // namespace

TEST_F(ParticleFXTest, NewEffectIsOffAndMakesNothing) {
    TSmashParticleFX fx;
    for (int i = 0; i < 5; ++i) fx.Advance(1.0f, true);
    for (const auto& e : fx.Emitter) {
        EXPECT_EQ(e.Frame, 0);
        EXPECT_TRUE(e.Particles.empty());
    }
}

TEST_F(ParticleFXTest, EmissionCountsAndWindow) {
    // Rate 0 gives one particle per emission, 1.0 two, 2.9 three.
    for (const auto& [rate, count] : {std::pair{0.0f, 1u}, {0.5f, 1u}, {1.0f, 2u}, {2.9f, 3u}}) {
        TSmashParticleFX fx = OneEmitter(rate, 1, 3, 100);
        const auto emitted = EmittedPerFrame(fx.Emitter[0], 6);
        // Frames 1..3 emit (the window is 0..3 inclusive; frame 0 is never seen).
        EXPECT_EQ(emitted, (std::vector<size_t>{count, count, count, 0, 0, 0})) << rate;
    }
    // Every second frame only, and only from the delay on.
    TSmashParticleFX even = OneEmitter(0, 2, 10, 100);
    even.Emitter[0].EmitterDelay = 4;
    EXPECT_EQ(EmittedPerFrame(even.Emitter[0], 16),
              (std::vector<size_t>{0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0}));
}

TEST_F(ParticleFXTest, ParticlesLiveLifeTimeFramesAndEmitFalseOnlyAges) {
    TSmashParticleFX fx = OneEmitter(0, 1, 0, 5);
    TEmitter& e = fx.Emitter[0];
    e.EmitterDelay = 1;
    e.Advance(1.0f, true);  // frame 1: one particle
    ASSERT_EQ(e.Particles.size(), 1u);
    EXPECT_EQ(e.Particles[0].frame, 1);
    // It survives while its age is within LifeTime and goes on the frame after.
    for (int i = 0; i < 4; ++i) e.Advance(1.0f, false);
    EXPECT_EQ(e.Particles.size(), 1u);
    EXPECT_EQ(e.Particles[0].frame, 5);
    e.Advance(1.0f, false);
    EXPECT_TRUE(e.Particles.empty());
    EXPECT_EQ(e.Frame, 6);
    EXPECT_FALSE(e.Finished());  // 6 > 1 + 0 + 5 is false
    e.Advance(1.0f, false);
    EXPECT_TRUE(e.Finished());
}

TEST_F(ParticleFXTest, MovementGravityChangesAndZoomClamp) {
    TSmashParticleFX fx = OneEmitter(0, 1, 0, 100);
    TEmitter& e = fx.Emitter[0];
    e.EmitterDelay = 1;  // one particle, on frame 1
    e.X = 100;
    e.Y = 50;
    e.SpeedX = 2;
    e.GravityY = 0.5f;
    e.Grow = -0.3f;
    e.LaunchSize = 0.5f;
    e.MinSize = 0.2f;
    e.AlphaChange = -0.1f;
    e.ColorChangeR = -10;
    e.Advance(1.0f, true);  // frame 1: created, clamped, moved, changed
    ASSERT_EQ(e.Particles.size(), 1u);
    const TSmashParticle& p = e.Particles[0];
    EXPECT_FLOAT_EQ(p.x, 102);
    EXPECT_FLOAT_EQ(p.y, 50);
    EXPECT_FLOAT_EQ(p.dy, 0.5f);
    EXPECT_FLOAT_EQ(p.alpha, 0.9f);
    EXPECT_FLOAT_EQ(p.r, 245);
    EXPECT_FLOAT_EQ(p.zoom, 0.2f);
    e.Advance(1.0f, true);
    EXPECT_FLOAT_EQ(p.y, 50.5f);
    // Shrunk below MinSize, it moves on from MinSize.
    EXPECT_NEAR(p.zoom, 0.2f - 0.3f, 1e-6);
    e.Advance(1.0f, true);
    EXPECT_NEAR(p.zoom, -0.1f, 1e-6);
}

TEST_F(ParticleFXTest, LoopKeepsEmittingUntilClearedThenTheEffectEnds) {
    TSmashParticleFX fx = OneEmitter(0, 1, 4, 10);
    fx.SetLoop(true);
    for (int i = 0; i < 200; ++i) fx.Advance(1.0f, true);
    EXPECT_FALSE(fx.Emitter[0].Finished());
    EXPECT_FALSE(fx.Emitter[0].Particles.empty());
    EXPECT_LE(fx.Emitter[0].Frame, 5);
    fx.SetLoop(false);
    int frames = 0;
    while (!fx.Emitter[0].Finished() && frames < 1000) {
        fx.Advance(1.0f, true);
        ++frames;
    }
    EXPECT_LE(frames, 4 + 10 + 1);
    EXPECT_TRUE(fx.Emitter[0].Particles.empty());
}

TEST_F(ParticleFXTest, StopFreezesTheEffect) {
    TSmashParticleFX fx = OneEmitter(0, 1, 5, 100);
    fx.Advance(1.0f, true);
    fx.Advance(1.0f, true);
    fx.Stop();
    fx.Advance(1.0f, true);
    EXPECT_EQ(fx.Emitter[0].Frame, 2);
    EXPECT_EQ(fx.Emitter[0].Particles.size(), 2u);
}

TEST_F(ParticleFXTest, StoredRecordsReadBackEveryField) {
    TSmashParticleFX fx;
    const TParRecords records = SampleRecords();
    for (int i = 0; i < PAR_EMITTERS; ++i) static_cast<TEmitterConfig&>(fx.Emitter[i]) = records[i];
    fx.MoveTo(10, 20);
    const std::vector<uint8_t> stored = ParBytes(fx.Records());
    EXPECT_EQ(stored.size(), static_cast<size_t>(PAR_FILE_SIZE));

    TSmashParticleFX loaded;
    loaded.LoadFromBytes(stored, "a.par");
    TParRecords back = loaded.Records();
    // Position is not stored.
    EXPECT_EQ(back[0].X, 220.0f);
    for (auto& r : back) r.X = 10, r.Y = 20;
    TParRecords expected = records;
    for (auto& r : expected) r.X = 10, r.Y = 20;
    EXPECT_EQ(back, expected);

    // SizeVar is stored before LaunchSize: offsets 32 and 36 of a record.
    const std::vector<uint8_t> bytes = ParBytes(records);
    float at32, at36;
    std::memcpy(&at32, bytes.data() + 32, 4);
    std::memcpy(&at36, bytes.data() + 36, 4);
    EXPECT_EQ(at32, 0.25f);
    EXPECT_EQ(at36, 0.75f);
    int32_t renderType, image;
    std::memcpy(&renderType, bytes.data() + 3 * PAR_RECORD_SIZE + 108, 4);
    std::memcpy(&image, bytes.data() + 3 * PAR_RECORD_SIZE + 112, 4);
    EXPECT_EQ(renderType, RENDER_MUL);
    EXPECT_EQ(image, 8);
}

TEST_F(ParticleFXTest, RefusedFilesLeaveTheEffectAsItWas) {
    const std::vector<uint8_t> good = ParBytes(SampleRecords());
    auto patched = [&](int emitter, int offset, auto value) {
        std::vector<uint8_t> bytes = good;
        std::memcpy(bytes.data() + emitter * PAR_RECORD_SIZE + offset, &value, 4);
        return bytes;
    };
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
        {"long", [&] { auto b = good; b.push_back(0); return b; }()},
        {"empty", {}},
        {"NaN speed", patched(2, 16, std::numeric_limits<float>::quiet_NaN())},
        {"infinite gravity", patched(9, 132, std::numeric_limits<float>::infinity())},
        {"image 9", patched(0, 112, int32_t{9})},
        {"image -1", patched(5, 112, int32_t{-1})},
        {"render type 4", patched(0, 108, int32_t{4})},
        {"negative rate", patched(0, 8, -1.0f)},
        {"huge rate", patched(0, 8, 1.0e9f)},
        {"endless life", patched(0, 104, 1.0e7f)},
        {"too many at once", [&] {
             auto b = patched(0, 8, 90.0f);
             float life = 500;
             std::memcpy(b.data() + 104, &life, 4);
             return b;
         }()},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TSmashParticleFX fx = OneEmitter(3, 1, 10, 50);
        const TParRecords before = fx.Records();
        EXPECT_THROW(fx.LoadFromBytes(bytes, "x.par"), TParticleFXError);
        EXPECT_EQ(fx.Records(), before);
    }
}

TEST_F(ParticleFXTest, ParWriterMakesTheEffectFromItsSource) {
    std::ofstream(File("burst.partxt")) << "# two emitters\n"
                                          "emitter 0\n"
                                          "RenderType add   # light\n"
                                          "image 8\n"
                                          "EmitterDelay 2\n"
                                          "EmissionRate 2.5\n"
                                          "SizeVar 0.25\n"
                                          "LaunchSize .75\n"
                                          "SpeedVarX 1.5\n"
                                          "GravityY 0.05\n"
                                          "ColorG 10\n"
                                          "LifeTime 60\n"
                                          "\n"
                                          "emitter 3 like 0\n"
                                          "RenderType 2\n"
                                          "ColorChangeB -1.25\n";
    const std::string writer = VC_PARWRITER;
    ASSERT_EQ(std::system((writer + " " + File("burst.partxt") + " " + File("burst.par")).c_str()), 0);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(plat::LoadBytes(File("burst.par"), bytes));
    EXPECT_EQ(bytes, ParBytes(SampleRecords()));

    const std::pair<const char*, const char*> bad[] = {
        {"unknown field", "emitter 0\nSpeed 3\n"},
        {"field before emitter", "Image 3\n"},
        {"emitter 10", "emitter 10\n"},
        {"not a number", "emitter 0\nGrow fast\n"},
        {"two values", "emitter 0\nGrow 1 2\n"},
        {"image out of range", "emitter 0\nImage 9\n"},
        {"render type", "emitter 0\nRenderType glow\n"},
        {"too many particles", "emitter 0\nEmissionRate 50\nLifeTime 200\n"},
    };
    for (const auto& [name, source] : bad) {
        SCOPED_TRACE(name);
        std::ofstream(File("bad.partxt")) << source;
        fs::remove(File("bad.par"));
        EXPECT_NE(std::system((writer + " " + File("bad.partxt") + " " + File("bad.par") + " 2>/dev/null").c_str()),
                  0);
        EXPECT_FALSE(fs::exists(File("bad.par")));
    }
}

TEST_F(ParticleFXTest, EffectsAreReadOnceAtStartUpAndCopiedPerGem) {
    Game().DataPrefix = (dir / "").string();
    fs::create_directories(dir / "data/resources");
    TSmashParticleFX one = OneEmitter(0, 1, 2, 3);
    ASSERT_TRUE(plat::WriteFileAtomic(ResourceFolder() + "score1.par", ParBytes(one.Records())));
    std::ofstream(ResourceFolder() + "score2.par") << "not an effect";

    const std::vector<std::string> problems = LoadParticleEffects();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("score2.par"), std::string::npos);
    ASSERT_NE(ScoreEffect(1), nullptr);
    EXPECT_EQ(ScoreEffect(2), nullptr);
    EXPECT_EQ(CreateScoreEffect(2, 0, 0), nullptr);  // no burst, no error mid-play

    // The files are not read again for each gem.
    fs::remove_all(dir / "data");
    auto a = CreateScoreEffect(1, 100, 200);
    auto b = CreateScoreEffect(1, 300, 400);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    a->Manage(1.0f);
    const auto& fxA = static_cast<TBoardEffect&>(*a).Effect();
    const auto& fxB = static_cast<TBoardEffect&>(*b).Effect();
    ASSERT_EQ(fxA.Emitter[0].Particles.size(), 1u);
    EXPECT_EQ(fxA.Emitter[0].Particles[0].x, 100.0f);
    EXPECT_TRUE(fxB.Emitter[0].Particles.empty());
    EXPECT_TRUE(ScoreEffect(1)->Emitter[0].Particles.empty());
    EXPECT_TRUE(fxA.LoopFX);
}

TEST_F(ParticleFXTest, MissingEffectFilesAreReportedNotFatal) {
    Game().DataPrefix = (dir / "nothing/").string();
    const auto problems = LoadParticleEffects();
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_EQ(CreateScoreEffect(1, 0, 0), nullptr);
}

TEST_F(ParticleFXTest, BoardBurstRunsAtThePaceOfGameTimeNotFrames) {
    SetScoreEffect(1, std::make_unique<TSmashParticleFX>(OneEmitter(0, 1, 1000, 1000)));
    auto steady = CreateScoreEffect(1, 0, 0);
    auto uneven = CreateScoreEffect(1, 0, 0);
    // One second of game time: 200 whole ticks, or ticks cut into fractions
    // as frames of different lengths give them.
    for (int i = 0; i < 200; ++i) steady->Manage(1.0f);
    const float pattern[] = {1, 1, 0.25f, 1, 0.75f, 0.5f, 0.5f};  // 5 ticks in 7 calls
    for (int i = 0; i < 40; ++i)
        for (float d : pattern) uneven->Manage(d);
    const auto& s = static_cast<TBoardEffect&>(*steady).Effect();
    const auto& u = static_cast<TBoardEffect&>(*uneven).Effect();
    EXPECT_EQ(s.Emitter[0].Frame, 200);
    EXPECT_EQ(u.Emitter[0].Frame, 200);
    EXPECT_EQ(u.Emitter[0].Particles.size(), s.Emitter[0].Particles.size());
    // Drawing does not move it on.
    for (int i = 0; i < 10; ++i) uneven->Render(1.0f);
    EXPECT_EQ(u.Emitter[0].Frame, 200);
}

TEST_F(ParticleFXTest, BoardBurstEndsOnceItsLoopIsCleared) {
    SetScoreEffect(2, std::make_unique<TSmashParticleFX>(OneEmitter(1, 1, 10, 30)));
    auto burst = CreateScoreEffect(2, 50, 50);
    for (int i = 0; i < 500; ++i) burst->Manage(1.0f);
    EXPECT_FALSE(burst->IsFinished());
    burst->SetLoop(false);
    int ticks = 0;
    while (!burst->IsFinished() && ticks < 1000) {
        burst->Manage(1.0f);
        ++ticks;
    }
    EXPECT_LE(ticks, 10 + 30 + 2);
    // A first emitter that is off counts as finished, so such a burst is dropped.
    TSmashParticleFX offFirst;
    offFirst.Emitter[1] = OneEmitter(0, 1, 10, 30).Emitter[0];
    SetScoreEffect(1, std::make_unique<TSmashParticleFX>(offFirst));
    EXPECT_TRUE(CreateScoreEffect(1, 0, 0)->IsFinished());
}
