// libFuzzer target: the settings ini file and the config file. Whatever a hand
// edit or a crash left in them, reading them must not crash, every setting
// must come out within its range, and what the game writes back must read
// back to the same settings. The restore path of a crashed settings change
// (read one value, copy the file with that value replaced) gets the same bytes.
#include <cstddef>
#include <cstdint>

#include "app/ini_file.h"
#include "app/settings_table.h"
#include "fuzz_files.h"

namespace {

bool InRange(const TGame& g) {
    for (const TSetting& s : SettingsTable()) {
        if (s.kind == TSetting::SWITCH && g.*s.number != 0 && g.*s.number != 1) return false;
        if (s.kind == TSetting::RANGE && (g.*s.number < s.min || g.*s.number > s.max)) return false;
    }
    return true;
}

// The settings as the game reads them at start: defaults, then the file.
std::vector<TIniLine> ReadSettings(const std::string& base) {
    auto& game = Game();
    game.Ini.FileName = base;
    game.IniFill();
    (void)game.Ini.FileHoldsAnEntry();
    game.Ini.Load();
    game.IniExtract();
    fuzz::Check(InRange(game), "a setting out of range");
    return game.Ini.Lines;
}

bool SameLines(const std::vector<TIniLine>& a, const std::vector<TIniLine>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Name != b[i].Name || a[i].Value != b[i].Value) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::SetUpGame("fuzz_settings");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dir = fuzz::Folder("fuzz_settings");
    const std::string base = dir + "vellichorns";

    fuzz::WriteBytes(base + ".ini", data, size);
    (void)IniReadValue(base + ".ini", "profile name");
    fuzz::Check(IniCopyReplacing(base + ".ini", dir + "restored.ini", "PROFILE NAME", "Ann"), "copy failed");
    const std::string restored = IniReadValue(dir + "restored.ini", "profile name");
    fuzz::Check(restored.empty() || restored == "Ann", "the copy holds another profile name");

    const auto first = ReadSettings(base);
    // Load wrote the file back: the same settings come out of it again.
    const auto second = ReadSettings(base);
    fuzz::Check(SameLines(first, second), "settings changed on a second read");

    fuzz::WriteBytes(dir + "config.ini", data, size);
    auto& config = ConfigIni();
    config.Clear();
    config.FileName = dir + "config";
    ConfigFill();
    ConfigRead();
    const std::string firstRun = config.Get("FirstRun");
    ConfigSave();
    config.Clear();
    ConfigFill();
    ConfigRead();
    fuzz::Check(config.Get("FirstRun") == (firstRun.empty() ? "1" : firstRun), "config changed on a second read");
    return 0;
}
