#pragma once
// The daily puzzles on the play screen: the last seven days' layouts kept as
// files in the "daily" folder beside the profiles (made when missing, older
// days' files removed), today's date from the platform's calendar, and the
// player's best for today and streak, with the win of a daily puzzle
// recorded by its date.
#include <optional>
#include <string>

#include "puzzle/daily_puzzle.h"

constexpr int DAILY_DAYS_PLAYABLE = 7;

std::string DailyFolder();
TCivilDate TodayDate();
// The date of a puzzle of the daily folder, or none for any other path.
std::optional<TCivilDate> DailyDateOfPath(const std::string& path);
// Makes each of the seven days' layouts not yet in the folder, removes the
// daily files of other days. False when one could not be written.
bool PrepareDailyFolder(const TCivilDate& today);
// The player's completion list of daily puzzles (name + "d.ini").
std::string DailyCompletionPath(const std::string& player);
// The check mark and the day's best. False when a file could not be written.
bool RecordDailyWin(const std::string& player, const TCivilDate& date, int score);
// The lines shown over the grid: the best for today (or that it waits) and
// the streak of days won in a row.
std::string DailyBestLine(const std::string& player, const TCivilDate& today);
std::string DailyStreakLine(const std::string& player, const TCivilDate& today);
