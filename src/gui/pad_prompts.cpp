#include "gui/pad_prompts.h"

#include <array>

#include "resources/resource_globals.h"

namespace {

constexpr std::array<const char*, 12> MARKS = {"{A}",  "{B}",  "{X}",  "{Y}",  "{BACK}", "{START}",
                                               "{LB}", "{RB}", "{LT}", "{RT}", "{LS}",   "{RS}"};

const char* NamesKey(plat::PadKind kind) {
    switch (kind) {
        case plat::PadKind::PlayStation: return "Pad Buttons PlayStation";
        case plat::PadKind::Nintendo: return "Pad Buttons Nintendo";
        default: return "Pad Buttons Xbox";
    }
}

// The names, "|" between them, in the order of the marks; a name the table
// lacks stays its mark's letters.
std::array<std::string, MARKS.size()> ButtonNames(plat::PadKind kind) {
    std::array<std::string, MARKS.size()> names;
    const std::string all = GameText().FindString(NamesKey(kind));
    size_t start = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t end = all.find('|', start);
        if (start < all.size()) names[i] = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (names[i].empty()) names[i] = std::string(MARKS[i]).substr(1, std::string(MARKS[i]).size() - 2);
        start = end == std::string::npos ? all.size() : end + 1;
    }
    return names;
}

}  // namespace

std::string PadWords(std::string text, plat::PadKind kind) {
    const auto names = ButtonNames(kind);
    for (size_t i = 0; i < MARKS.size(); ++i) {
        const std::string mark = MARKS[i];
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + names[i].size()))
            text.replace(at, mark.size(), names[i]);
    }
    return text;
}

std::string DeviceText(const std::string& key) {
    const plat::PadKind kind = plat::PadInUse();
    if (kind != plat::PadKind::None) {
        const std::string padText = GameText().FindString(key + " Pad");
        if (!padText.empty()) return PadWords(padText, kind);
    }
    return GameText().FindString(key);
}
