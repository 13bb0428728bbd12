#include "screens/daily_entry.h"

#include "app/game.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "puzzle/board_text.h"
#include "puzzle/completion_list.h"
#include "puzzle/daily_results.h"
#include "resources/error_state.h"
#include "resources/game_text.h"
#include "resources/resource_globals.h"

std::string DailyFolder() { return Game().ProfilePath + "daily/"; }

TCivilDate TodayDate() { return DateOfLocalTime(plat::CalendarSeconds()); }

std::optional<TCivilDate> DailyDateOfPath(const std::string& path) {
    if (plat::ExtractDir(path) + "/" != DailyFolder() || plat::ExtractExt(path) != "layout") return std::nullopt;
    return ParseIsoDate(plat::StripAll(path));
}

bool PrepareDailyFolder(const TCivilDate& today) {
    const std::string folder = DailyFolder();
    if (plat::FileType(folder) != plat::FILETYPE_DIR) plat::CreateDir(folder, true);
    const int64_t last = DaysFromCivil(today);
    for (const std::string& entry : plat::ReadDir(folder)) {
        const auto date = DailyDateOfPath(folder + entry);
        if (date && (DaysFromCivil(*date) > last || DaysFromCivil(*date) <= last - DAILY_DAYS_PLAYABLE))
            plat::DeleteFile(folder + entry);
    }
    bool written = true;
    for (int64_t day = last - DAILY_DAYS_PLAYABLE + 1; day <= last; ++day) {
        const std::string path = folder + FormatIsoDate(CivilFromDays(day)) + ".layout";
        if (plat::FileType(path) == plat::FILETYPE_FILE) continue;
        if (!plat::WriteFileAtomic(path, FormatLayout(MakeDailyPuzzle(CivilFromDays(day)).Layout))) {
            WriteErrorLog("Could not write the daily puzzle " + path);
            written = false;
        }
    }
    return written;
}

std::string DailyCompletionPath(const std::string& player) {
    return Game().ProfilePath + plat::FileNameOf(player + "d") + ".ini";
}

bool RecordDailyWin(const std::string& player, const TCivilDate& date, int score) {
    const bool marked = RecordLevelCompleted(DailyCompletionPath(player), FormatIsoDate(date));
    return RecordDailyResult(DailyResultsPath(player), date, score) && marked;
}

std::string DailyBestLine(const std::string& player, const TCivilDate& today) {
    const auto best = DailyBest(ReadDailyResults(DailyResultsPath(player)), today);
    if (!best) return GameText().FindString("Daily Waiting");
    return FillIn(GameText().FindString("Daily Best"), "NNN", std::to_string(*best));
}

std::string DailyStreakLine(const std::string& player, const TCivilDate& today) {
    const int streak = DailyStreak(ReadDailyResults(DailyResultsPath(player)), today);
    return FillIn(GameText().FindString("Daily Streak"), "NNN", std::to_string(streak));
}
