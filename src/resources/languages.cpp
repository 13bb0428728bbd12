#include "resources/languages.h"

#include <algorithm>
#include <cctype>

#include "platform/os.h"

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

const std::vector<TLanguage>& Languages() {
    static const std::vector<TLanguage> languages = {
        {"en", "English"}, {"de", "Deutsch"}, {"fr", "Fran\xe7" "ais"}, {"es", "Espa\xf1" "ol"}};
    return languages;
}

bool IsLanguage(const std::string& code) { return !LanguageName(code).empty(); }

std::string LanguageName(const std::string& code) {
    for (const auto& language : Languages()) {
        if (language.Code == code) return language.Name;
    }
    return {};
}

std::string GameTextFileOf(const std::string& code) {
    return code == "en" ? "gametext.txt" : "gametext." + code + ".txt";
}

// language[_territory][.codeset][@modifier]
std::string LanguageOfLocale(const std::string& locale) {
    const std::string name = locale.substr(0, locale.find_first_of(".@"));
    if (name == "C" || name == "POSIX") return "en";
    const std::string code = Lower(name.substr(0, name.find_first_of("_-")));
    return IsLanguage(code) ? code : std::string();
}

std::string SystemLanguage() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::string value = plat::EnvironmentVariable(variable);
        if (value.empty()) continue;
        size_t start = 0;
        while (start <= value.size()) {
            const size_t end = std::min(value.find(':', start), value.size());
            const std::string code = LanguageOfLocale(value.substr(start, end - start));
            if (!code.empty()) return code;
            start = end + 1;
        }
        return "en";
    }
    return "en";
}

std::string LanguageFor(const std::string& setting) { return IsLanguage(setting) ? setting : SystemLanguage(); }
