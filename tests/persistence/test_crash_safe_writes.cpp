// Every file the game writes, written by a child process that is killed at
// random moments while it rewrites the file again and again: afterwards the
// file is the old one or the new one, whole, and never missing. Then the same
// writers on a full disk (a file-size limit) and in a folder that cannot be
// written: the failure is told (to the player, or in the error log where the
// game tells it there) and the stored file is kept.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/game.h"
#include "app/ini_file.h"
#include "app/settings_table.h"
#include "app/write_failure.h"
#include "persistence/high_scores.h"
#include "persistence/personal_bests.h"
#include "persistence/profile.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/os.h"
#include "puzzle/completion_list.h"
#include "puzzle/layout_file.h"
#include "puzzle/puzzle_test_util.h"
#include "puzzle/save_game.h"
#include "read_only_folder.h"
#include "resources/error.h"
#include "resources/error_state.h"
#include "screens/game_gui.h"
#include "resources/resource_globals.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) { return plat::FileType(path) == plat::FILETYPE_FILE; }

// What a child answers when it cannot make the data folder read-only for itself.
const std::string kCannotCheck = "cannot check here: ";

void IgnoreBox(const std::string&, const std::string&, bool) {}
std::string toldInBox;
void RecordBox(const std::string&, const std::string& text, bool) { toldInBox += text; }

// One of the game's writers, as the tests drive it. write(i) makes version
// i % 2 of the file (the completion list grows instead: write(i) records one
// more puzzle).
struct Writer {
    std::string path;
    std::function<void(long i)> write;
    // Whether the bytes are a whole version.
    std::function<bool(const std::string& bytes)> whole;
    // The failing write of a new version: what the player is told ("" for nothing).
    std::function<std::string()> attempt;
    // Run in the parent before the failing write.
    std::function<void()> beforeAttempt;
    // What the player or the error log must mention after a failure ("" when
    // the game stays silent about this file).
    std::string told;
};

// What a failed write must name: the folder that cannot be written, the file
// that was kept, or nothing (the game stays silent about that file).
enum class Told { Folder, File, Nothing };

class CrashSafeWrites;

// A row of the writers' table (CrashSafeWrites::Writers).
struct WriterRow {
    const char* name;
    Told told;
    // Readies the writer; answers its file.
    std::string (*setUp)(CrashSafeWrites&);
    void (*write)(CrashSafeWrites&, long i);
    std::string (*attempt)(CrashSafeWrites&);
    void (*beforeAttempt)() = nullptr;
    // Null for a writer of two versions, which the fixture learns by writing both.
    bool (*whole)(const CrashSafeWrites&, const std::string& bytes) = nullptr;
};

// Runs a failing write of the game's own settings or files, answering what
// the notice it left for the screen tells the player.
std::string ToldInNotice(void (*write)()) {
    GameText().Map["CANNOT SAVE"] = {"Nothing can be saved in FFF: RRR."};
    write();
    return TakeWriteFailureNotice();
}

const std::vector<std::string> kLayout = {
    "................", "..mm............", "................", "....cccc........",
    "................", "......mm........", "................", "................",
    "................", "................", "................", "......####......"};

class CrashSafeWrites : public PuzzleTest, public ::testing::WithParamInterface<const char*> {
public:
    static const std::vector<WriterRow>& Writers();
    static std::vector<const char*> WriterNames() {
        std::vector<const char*> names;
        for (const auto& row : Writers()) names.push_back(row.name);
        return names;
    }

protected:
    void SetUp() override {
        PuzzleTest::SetUp();
        folder = std::string(VC_TEST_BINARY_DIR) + "/test-home/crash-safe/" + std::to_string(getpid()) + "_" +
                 GetParam() + "/";
        logFolder = folder + "log/";
        data = folder + "data/";
        plat::DeleteDir(folder, true);
        plat::CreateDir(logFolder, true);
        plat::CreateDir(data, true);
        auto& game = Game();
        game.UseCorrectPath = 1;
        game.SubPath = data;
        game.ProfilePath = data;
        game.DataPrefix = folder + "prefix/";
        game.Ini.FileName = data + "vellichorns";
        ErrorLogFolder = logFolder;
        ErrorOnScreen = 0;
        plat::SetMessageBoxHook(&IgnoreBox);
        // Saved games hold the play time: it stands still here.
        plat::SetClock(&clock);
        writer = MakeWriter(GetParam());
        if (writer.write && !writer.whole) KnowTwoVersions(writer);
    }
    void TearDown() override {
        ::chmod(data.c_str(), 0755);
        plat::SetClock(nullptr);
        plat::SetMessageBoxHook(nullptr);
        plat::DeleteDir(folder, true);
        ResetGlobals();
        PuzzleTest::TearDown();
    }

    Writer MakeWriter(const std::string& name);
    // A writer of two versions: the whole-file test knows both by their bytes
    // (but for the time a save is dated with, which moves on while it runs).
    void KnowTwoVersions(Writer& w) {
        const auto undated = [](std::string bytes) {
            if (const auto at = bytes.find("|saved="); at != std::string::npos)
                bytes.erase(at, bytes.find_first_not_of("0123456789", at + 7) - at);
            return bytes;
        };
        w.write(1);
        const std::string second = undated(ReadText(w.path));
        w.write(0);
        const std::string first = undated(ReadText(w.path));
        w.whole = [first, second, undated](const std::string& bytes) {
            return undated(bytes) == first || undated(bytes) == second;
        };
    }
    // Puts the file back in its starting state.
    void Prepare() {
        if (GetParam() == std::string("completion")) {
            ASSERT_TRUE(plat::WriteFileAtomic(writer.path, completionStart));
        } else {
            writer.write(0);
        }
    }
    std::vector<std::string> LeftTemporaries() const {
        std::vector<std::string> left;
        for (const auto& entry : plat::ReadDir(plat::ExtractDir(writer.path)))
            if (entry.find(".tmp") != std::string::npos) left.push_back(entry);
        return left;
    }
    // Runs body in a child process and answers the text it produced.
    static std::string InChild(const std::function<std::string()>& body);

    std::string folder, logFolder, data;
    plat::TManualClock clock;
    Writer writer;
    std::unique_ptr<TGameModeMatch3> mode;
    TLumenSpireHighScoreList table;
    std::string completionStart;
};

const std::vector<WriterRow>& CrashSafeWrites::Writers() {
    using T = CrashSafeWrites;
    static const std::vector<WriterRow> rows = {
        {.name = "settings", .told = Told::Folder,
         .setUp = [](T&) { return Game().Ini.Path(); },
         .write = [](T&, long i) {
             Game().MusicVolume = i % 2 ? 90 : 10;
             Game().ProfileName = std::string(i % 2 ? 3000 : 2000, 'n');
             Game().IniUpdate(0);
         },
         .attempt = [](T&) {
             return ToldInNotice([] {
                 Game().MusicVolume = 90;
                 Game().IniUpdate(0);
             });
         }},
        // After a crash that followed a settings change, the defaults replace
        // the settings (keeping the player's name).
        {.name = "settings_restored", .told = Told::File,
         .setUp = [](T&) {
             plat::CreateDir(Game().DataPrefix + "data", true);
             std::string defaults;
             for (int i = 0; i < 80; ++i) defaults += "KEY " + std::to_string(i) + "=default\r\n";
             std::ofstream(Game().DataPrefix + DEFAULT_SETTINGS_FILE, std::ios::binary) << defaults + "PROFILE NAME=\r\n";
             return Game().Ini.Path();
         },
         .write = [](T&, long i) {
             Game().ProfileName = "Player";
             Game().MusicVolume = 33;
             const int changed = i % 2;
             Game().IniUpdate(changed);
             if (changed) Game().CheckGoodExit();
         },
         .attempt = [](T&) {
             plat::SetMessageBoxHook(&RecordBox);
             Game().CheckGoodExit();
             return toldInBox;
         },
         // The change marker of a run that then crashed.
         .beforeAttempt = [] { Game().IniUpdate(1); }},
        {.name = "config", .told = Told::Folder,
         .setUp = [](T& t) {
             ConfigIni().FileName = t.data + "config";
             return ConfigIni().Path();
         },
         .write = [](T&, long i) {
             ConfigIni().Clear();
             ConfigIni().Add("FirstRun", i % 2 ? "0" : "1");
             ConfigSave();
         },
         .attempt = [](T&) {
             return ToldInNotice([] {
                 ConfigIni().Clear();
                 ConfigIni().Add("FirstRun", "0 and a much longer value than before");
                 ConfigSave();
             });
         }},
        {.name = "markers", .told = Told::File,
         .setUp = [](T&) { return Game().MarkerPath("GoodExit.dat"); },
         .write = [](T&, long) { Game().MakeGoodExit(); },
         .attempt = [](T&) { return std::string(Game().MakeGoodExit() ? "" : "no marker"); }},
        // The log holds the last report only; it is rewritten whole.
        {.name = "error_log", .told = Told::Nothing,
         .setUp = [](T& t) {
             ErrorLogFolder = t.data;
             return t.data + "ErrorLog.txt";
         },
         .write = [](T&, long i) { WriteErrorLog(std::string(i % 2 ? 1500 : 900, i % 2 ? 'b' : 'a')); },
         .attempt = [](T&) {
             WriteErrorLog(std::string(3000, 'b'));
             return std::string();
         },
         .whole = [](const T&, const std::string& bytes) {
             // "Date: ...", "Time: ...", then the report.
             size_t at = 0;
             for (int line = 0; line < 2 && at != std::string::npos; ++line) {
                 at = bytes.find("\r\n", at);
                 if (at != std::string::npos) at += 2;
             }
             if (at == std::string::npos || bytes.compare(0, 6, "Date: ") != 0) return false;
             const std::string report = bytes.substr(at);
             return report == std::string(900, 'a') + "\r\n" || report == std::string(1500, 'b') + "\r\n";
         }},
        {.name = "profiles", .told = Told::Folder,
         .setUp = [](T& t) { return t.data + "Player.dat"; },
         .write = [](T&, long) { SaveProfileFile("Player"); },
         .attempt = [](T&) { return ToldInNotice([] { SaveProfileFile("Player"); }); }},
        // The starting lines, then "new1", "new2", ... each whole.
        {.name = "completion", .told = Told::File,
         .setUp = [](T& t) {
             for (int i = 1; i <= 80; ++i) t.completionStart += std::to_string(1000 + i) + "=1\r\n";
             return CompletionFilePath("Player", false);
         },
         .write = [](T& t, long i) { RecordLevelCompleted(t.writer.path, "new" + std::to_string(i)); },
         // A puzzle won, as the game records it, with a score that does not
         // make the high-score table.
         .attempt = [](T&) {
             Game().ProfileName = "Player";
             GamePlay().GameMode = std::make_unique<TGameModeMatch3>();
             GamePlay().CurrentLevel = "layouts/077.layout";
             for (int i = 0; i < 10; ++i) GamePlay().HighscoreList.Add("Best", 1000);
             GamePlay().Score = 0;
             return RecordLevelFinished().Problem;
         },
         .whole = [](const T& t, const std::string& bytes) {
             const std::string& start = t.completionStart;
             if (bytes.compare(0, start.size(), start) != 0) return false;
             std::string expected;
             for (long i = 1; start.size() + expected.size() < bytes.size(); ++i)
                 expected += "new" + std::to_string(i) + "=1\r\n";
             return start + expected == bytes;
         }},
        // Forty puzzles n0 to n39 first (room for the error log's line within
        // the stored file's size), then n<39 + i> one by one, each a new line
        // (a puzzle already listed with the same figures writes nothing).
        {.name = "bests", .told = Told::File,
         .setUp = [](T&) { return BestsFilePath("Player"); },
         .write = [](T&, long i) {
             for (long k = i == 0 ? 0 : 39 + i; k <= 39 + i; ++k)
                 TPlayerBests("Player").RecordWin(false, "n" + std::to_string(k), {100, 10, 1000, 1});
         },
         .attempt = [](T&) {
             TPlayerBests("Player").RecordWin(false, "new", {1, 1, 1, 1});
             return std::string();
         },
         .whole = [](const T&, const std::string& bytes) {
             std::string problem;
             const auto entries = ParseBests(bytes, problem);
             if (!entries || FormatBests(*entries) != bytes) return false;
             for (size_t i = 0; i < entries->size(); ++i) {
                 const std::string& key = (*entries)[i].Key;
                 if (key != "n" + std::to_string(i) && !(i + 1 == entries->size() && key == "n1000040")) return false;
             }
             return true;
         }},
        {.name = "high_scores", .told = Told::File,
         .setUp = [](T& t) {
             t.table.Create("highscores", 10);
             return t.table.filepath;
         },
         .write = [](T& t, long i) {
             t.table.Entries.clear();
             for (int k = 0; k < 10; ++k)
                 t.table.Add("Player" + std::to_string(k), static_cast<int32_t>((i % 2 + 1) * (k + 1)));
             t.table.Save();
         },
         .attempt = [](T& t) {
             t.table.Insert("Newcomer with a long name", 1000000);
             return t.table.Save() ? std::string() : t.table.SaveFailureText();
         }},
        {.name = "saves", .told = Told::File,
         .setUp = [](T& t) {
             PuzzleHooks().LoadLayout = [](TCellBox& box, const std::string&) {
                 BuildBox(box, kLayout);
                 return true;
             };
             t.mode = std::make_unique<TGameModeMatch3>();
             t.mode->Init("layouts/007.layout", 0);
             return t.data + "Slot.save";
         },
         .write = [](T& t, long i) {
             GamePlay().Score = i % 2 ? 4321 : 1234;
             t.mode->SaveGame(t.data + "Slot");
         },
         .attempt = [](T& t) {
             GamePlay().Score = 999999;
             t.mode->CellBox->CellAt(1, 1).ClearContents();
             return t.mode->SaveGame(t.data + "Slot") ? std::string() : t.mode->FileError;
         }},
        {.name = "layouts", .told = Told::File,
         .setUp = [](T& t) { return t.data + "Mine.layout"; },
         .write = [](T& t, long i) {
             TCellBox box;
             BuildBox(box, i % 2 ? FullRows("m.m.m.m.m.m.m.m.") : kLayout);
             SaveLayout(box, t.writer.path);
         },
         .attempt = [](T& t) {
             TCellBox box;
             BuildBox(box, FullRows("mmmmmmmmmmmmmmmm"));
             return SaveLayout(box, t.writer.path);
         }},
    };
    return rows;
}

Writer CrashSafeWrites::MakeWriter(const std::string& name) {
    Writer w;
    for (const WriterRow& row : Writers()) {
        if (name != row.name) continue;
        w.path = row.setUp(*this);
        w.write = [this, &row](long i) { row.write(*this, i); };
        w.attempt = [this, &row] { return row.attempt(*this); };
        if (row.beforeAttempt) w.beforeAttempt = row.beforeAttempt;
        w.told = row.told == Told::Folder ? plat::ExtractDir(w.path) : row.told == Told::File ? w.path : "";
        if (row.whole) w.whole = [this, &row](const std::string& bytes) { return row.whole(*this, bytes); };
    }
    return w;
}

std::string CrashSafeWrites::InChild(const std::function<std::string()>& body) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string text;
        try {
            text = body();
        } catch (const std::exception& e) {
            text = std::string("threw: ") + e.what();
        }
        const bool sent = ::write(pipeEnds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        _exit(sent ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) text += " [the child did not end normally]";
    return text;
}

TEST_P(CrashSafeWrites, KilledAnywhereInTheWriteLeavesTheOldOrTheNewFileWhole) {
    ASSERT_TRUE(writer.write) << "no such writer";
    // How long one write takes, so that the kills spread over several writes.
    Prepare();
    const auto started = std::chrono::steady_clock::now();
    constexpr int timed = 10;
    for (int i = 1; i <= timed; ++i) writer.write(i);
    const auto perWrite = (std::chrono::steady_clock::now() - started) / timed;
    const long maxDelayUs =
        std::max<long>(200, 3 * std::chrono::duration_cast<std::chrono::microseconds>(perWrite).count());

    std::mt19937 random(static_cast<unsigned>(getpid()));
    constexpr int kills = 200;
    std::set<std::string> interrupted;
    // On a busy machine the kills may all miss the writes for a while: then
    // more of them, up to five times as many.
    for (int k = 0; k < kills || (interrupted.empty() && k < 5 * kills); ++k) {
        Prepare();
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            const char c = 'r';
            if (::write(ready[1], &c, 1) != 1) _exit(2);
            try {
                for (long i = 1;; ++i) writer.write(i);
            } catch (...) {
                _exit(3);
            }
        }
        ::close(ready[1]);
        char c = 0;
        ASSERT_EQ(::read(ready[0], &c, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<long>(0, maxDelayUs)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself, status " << status;

        ASSERT_TRUE(Exists(writer.path)) << "kill " << k << ": the file is missing";
        const std::string bytes = ReadText(writer.path);
        ASSERT_TRUE(writer.whole(bytes)) << "kill " << k << ": neither version whole (" << bytes.size() << " bytes)";
        // A temporary file left behind: the kill came in the middle of a write.
        for (const auto& left : LeftTemporaries()) interrupted.insert(left);
    }
    // Some kills must have come in the middle of a write, or the test proves little.
    EXPECT_GT(interrupted.size(), 0u) << "no kill came during a write";
    RecordProperty("interrupted_writes", static_cast<int>(interrupted.size()));
    // The next write clears away what the killed writers left (unless a new
    // process has come to carry a dead writer's number meanwhile). A number no
    // child reached, so that the completion list really writes: the last
    // killed child may already have recorded the puzzle write(1) records.
    writer.write(1'000'001);
    for (const auto& left : LeftTemporaries()) {
        const long pid = std::atol(left.c_str() + left.find(".tmp") + 4);
        EXPECT_EQ(::kill(static_cast<pid_t>(pid), 0), 0) << left << " was left behind";
    }
}

TEST_P(CrashSafeWrites, AFullDiskIsToldAndKeepsTheStoredFile) {
    ASSERT_TRUE(writer.write) << "no such writer";
    Prepare();
    if (writer.beforeAttempt) writer.beforeAttempt();
    const std::string stored = ReadText(writer.path);
    ASSERT_FALSE(stored.empty() && GetParam() != std::string("markers"));
    const std::string told = InChild([this, &stored] {
        // Files may not grow past the stored file's size: a longer new
        // version fails, while the short error log line still fits.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = std::max<rlim_t>(stored.size(), 1) - (stored.size() > 1 ? 1 : 0);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        return writer.attempt();
    });
    EXPECT_EQ(ReadText(writer.path), stored) << "the stored file changed";
    EXPECT_TRUE(Exists(writer.path));
    if (GetParam() == std::string("markers")) return;  // an empty marker needs no room
    const std::string log = ReadText(ErrorLogFolder + "ErrorLog.txt");
    if (!writer.told.empty()) {
        EXPECT_TRUE(told.find(writer.told) != std::string::npos || log.find(writer.told) != std::string::npos)
            << "told: " << told << "\nlog: " << log;
    }
    EXPECT_EQ(told.find("[the child"), std::string::npos) << told;
}

// Without write permission on the data folder; the child gives up root's
// right to override it.
TEST_P(CrashSafeWrites, AReadOnlyDataFolderIsToldAndKeepsTheStoredFile) {
    ASSERT_TRUE(writer.write) << "no such writer";
    Prepare();
    const std::string stored = ReadText(writer.path);
    if (writer.beforeAttempt) writer.beforeAttempt();
    ASSERT_EQ(::chmod(data.c_str(), 0555), 0);
    const std::string told = InChild([this] {
        if (const std::string why = readonly::MakeFolderReadOnlyForMe(data); !why.empty()) return kCannotCheck + why;
        return writer.attempt();
    });
    ::chmod(data.c_str(), 0755);
    ASSERT_NE(told.rfind(kCannotCheck, 0), 0u) << told;
    EXPECT_EQ(ReadText(writer.path), stored) << "the stored file changed";
    EXPECT_TRUE(Exists(writer.path));
    const std::string log = ReadText(logFolder + "ErrorLog.txt");
    if (!writer.told.empty()) {
        EXPECT_TRUE(told.find(writer.told) != std::string::npos || log.find(writer.told) != std::string::npos)
            << "told: " << told << "\nlog: " << log;
    }
    EXPECT_EQ(told.find("[the child"), std::string::npos) << told;
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, CrashSafeWrites,
                         ::testing::ValuesIn(CrashSafeWrites::WriterNames()),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
