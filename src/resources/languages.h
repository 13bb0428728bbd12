#pragma once
// The languages the game's texts come in, and which one a player gets: the
// one chosen on the options screen ("Language" in the settings), or, while
// none is chosen, the one the system's locale asks for. English is the
// table "gametext.txt"; every other language has "gametext.<code>.txt",
// read over the English one so that a text it lacks stays English.
#include <string>
#include <vector>

struct TLanguage {
    std::string Code;  // "en", "de", ...
    std::string Name;  // the language's name in itself, in Latin-1
};

// English first.
const std::vector<TLanguage>& Languages();
bool IsLanguage(const std::string& code);
// The name of a language in itself; empty for an unknown code.
std::string LanguageName(const std::string& code);
// The text table of a language: "gametext.txt" for English.
std::string GameTextFileOf(const std::string& code);

// The language a locale name asks for: "de_DE.UTF-8" and "de" give "de";
// "C" and "POSIX" give "en"; empty when the game has no such language.
std::string LanguageOfLocale(const std::string& locale);
// From the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set and
// not empty; LANGUAGE may list several, and the first the game has wins.
// English when that variable names nothing the game has, or none is set.
std::string SystemLanguage();
// The language the player gets for a "Language" setting: the setting when
// it names one of ours, else SystemLanguage().
std::string LanguageFor(const std::string& setting);
