#include "puzzle/resume_point.h"

#include <cerrno>

#include "app/game.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "puzzle/save_game.h"
#include "resources/error_state.h"

std::string ResumePointPath(const std::string& player) {
    return Game().ProfilePath + plat::FileNameOf(player) + ".resume";
}

std::string PutAsideResumePointPath(const std::string& player) { return plat::SetAsidePath(ResumePointPath(player)); }

std::string ResumePointBytes(const TSaveGameData& save, const std::string& player) {
    TSaveGameData own = save;
    own.Owner = player;
    return FormatSaveGame(own);
}

bool WriteResumePoint(const TSaveGameData& save, const std::string& player) {
    const std::string path = ResumePointPath(player);
    if (plat::WriteFileAtomic(path, ResumePointBytes(save, player))) return true;
    ReportWriteFailure(path, errno);
    return false;
}

EResumePoint ReadResumePoint(const std::string& player, TSaveGameData& out) {
    const std::string path = ResumePointPath(player);
    if (player.empty() || plat::FileType(path) == plat::FILETYPE_NONE) return EResumePoint::None;
    const std::string problem = ReadSaveGameData(path, out);
    if (problem.empty()) return EResumePoint::Ready;
    const std::string aside = PutAsideResumePointPath(player);
    const bool renamed = plat::RenameFile(path, aside);
    WriteErrorLog("The puzzle left in play cannot be continued: " + problem +
                  (renamed ? "; it is kept as '" + aside + "'" : "; it could not be put aside"));
    return EResumePoint::PutAside;
}

void RemoveResumePoint(const std::string& player, bool removeBad) {
    if (player.empty()) return;
    plat::DeleteFile(ResumePointPath(player));
    if (removeBad) plat::DeleteFile(PutAsideResumePointPath(player));
}
