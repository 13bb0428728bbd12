#include "puzzle/save_game.h"

#include <cerrno>

#include "app/game.h"
#include "app/write_failure.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "puzzle/game_play.h"
#include "puzzle/layout_file.h"
#include "puzzle/match3_mode.h"
#include "resources/error_state.h"

namespace {

constexpr const char* SAVE_EXTENSION = ".save";

void ApplyBoard(TCellBox& box, const TBoardBlocks& board) {
    ApplyLayout(box, board.Layout);
    ApplyGems(box, board.Gems);
    box.UpdateDrawWall();
}

int Answer(TGameModeMatch3& mode, std::string problem) {
    mode.FileError = std::move(problem);
    return mode.FileError.empty() ? 1 : 0;
}

// The board as it will stand once the swap under way and the gems fading out
// are done: the points of those gems are in the saved score already, so a
// loaded game must not clear them again.
TBoardBlocks SavedBoardOf(const TCellBox& box) {
    const auto board = box.Clone();
    if (box.IsCellSwitchAnimation() && box.CellSwitchType == 0) board->ExchangeMarkedCells();
    board->FinishAnimations();
    return BoardOf(*board);
}

// Why the save cannot be read ("" when it can), with the key of the text that
// tells the player.
std::string ReadSave(const std::string& path, TSaveGameData& out, const char*& key) {
    std::vector<uint8_t> bytes;
    if (auto problem = ReadBoardFile(path, bytes); !problem.empty()) {
        key = "Unreadable File";
        return problem;
    }
    if (auto problem = ParseSaveGame(bytes, out); !problem.empty()) {
        key = "Damaged Savegame";
        return "The file '" + path + "' is not a valid saved game (" + problem + ")";
    }
    return {};
}

// A save read to be played: a problem is logged and told in plain words.
std::string ReadForLoading(const std::string& path, TSaveGameData& out) {
    const char* key = nullptr;
    const std::string detail = ReadSave(path, out, key);
    return detail.empty() ? detail : PlainLoadProblem(key, path, detail);
}

}  // namespace

TSaveGameData SaveGameDataOf(const TGameModeMatch3& mode) {
    TSaveGameData save;
    save.ElapsedMs = PlayClock().Elapsed();
    save.Score = GamePlay().Score + GamePlay().ScoreAdder;
    if (mode.CellBox) save.Current = SavedBoardOf(*mode.CellBox);
    // Without a record of the start, the live board is the best start there is.
    const bool hasOriginal = mode.OriginalPuzzle && mode.OriginalPuzzle->CellBox;
    save.Original = hasOriginal ? BoardOf(*mode.OriginalPuzzle->CellBox) : save.Current;
    save.Puzzle = TSavedPuzzle{GamePlay().CurrentLevel, GamePlay().IsCustomLevel ? 1 : 0};
    save.BonusCounter = mode.BonusCounter;
    save.MovesMade = mode.MovesMade;
    save.BonusEarned = mode.BonusEarned;
    save.Owner = Game().ProfileName;
    save.SavedAt = plat::CalendarSeconds();
    return save;
}

std::string SaveGameFile(const TGameModeMatch3& mode, const std::string& basePath) {
    const std::string path = basePath + SAVE_EXTENSION;
    if (!plat::WriteFileAtomic(path, FormatSaveGame(SaveGameDataOf(mode))))
        return WriteFailureMessage(path, errno);  // the path goes to the log
    return {};
}

void ApplySaveGameData(TGameModeMatch3& mode, const TSaveGameData& save) {
    // The puzzle as it started becomes the record a restart goes back to.
    mode.Clear();
    ApplyBoard(*mode.CellBox, save.Original);
    mode.AddOriginalUndo();
    mode.TotalMarbles = mode.OriginalPuzzle->CellBox->GetLayoutCellMarbleCount();
    // Then the board as it was, on a fresh box (clearing restarts the clock
    // and the score, so those are set last).
    mode.Clear();
    ApplyBoard(*mode.CellBox, save.Current);
    PlayClock().StartTime = plat::MilliSecs() - save.ElapsedMs;
    PlayClock().PausedAt = 0;
    GamePlay().Score = save.Score;
    GamePlay().ScoreAdder = 0;
    mode.MovesMade = save.MovesMade;
    mode.BonusEarned = save.BonusEarned;
    // A chain still counting goes on counting, with a fresh window.
    mode.BonusCounter = save.BonusCounter;
    if (mode.BonusCounter > 0) mode.CheckBonusCounter();
    if (save.Puzzle) {
        GamePlay().CurrentLevel = save.Puzzle->Path;
        GamePlay().IsCustomLevel = save.Puzzle->IsCustom;
    }
}

std::string ReadSaveGameData(const std::string& path, TSaveGameData& out) {
    const char* key = nullptr;
    return ReadSave(path, out, key);
}

void StartSavedGame(TGameModeMatch3& mode, const TSaveGameData& save) {
    ApplySaveGameData(mode, save);
    mode.CellBox->UpdateDrawWall();
    mode.ShufflePieces.reset();
    mode.HasShownShufflePiecesDialog = 0;
    // A game already played needs no word on how to play.
    if (!(save.Current == save.Original)) mode.ShowHelpMessage = 0;
    GameState().Clear();
}

std::string LoadGameFile(TGameModeMatch3& mode, const std::string& path) {
    TSaveGameData save;
    if (auto problem = ReadForLoading(path, save); !problem.empty()) return problem;
    StartSavedGame(mode, save);
    return {};
}

std::vector<std::string> SavesOwnedBy(const std::string& folder, const std::string& player) {
    std::vector<std::string> paths;
    if (player.empty()) return paths;
    for (const std::string& entry : plat::ReadDir(folder)) {
        if (plat::ExtractExt(entry) != "save" || plat::FileType(folder + entry) != plat::FILETYPE_FILE) continue;
        TSaveGameData save;
        if (ReadSaveGameData(folder + entry, save).empty() && save.Owner == player) paths.push_back(folder + entry);
    }
    return paths;
}

int TGameModeMatch3::SaveGame(const std::string& basePath) { return Answer(*this, SaveGameFile(*this, basePath)); }

int TGameModeMatch3::LoadGame(const std::string& path) { return Answer(*this, LoadGameFile(*this, path)); }
