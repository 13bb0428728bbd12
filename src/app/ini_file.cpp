#include "app/ini_file.h"

#include <cerrno>
#include <cstdlib>

#include "app/game.h"
#include "app/write_failure.h"
#include "platform/files.h"
#include "platform/os.h"
#include "platform/stream.h"
#include "resources/error.h"

std::string IniUpper(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

void SplitIniLine(const std::string& line, std::string& name, std::string& value) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
        name = line;
        value.clear();
        return;
    }
    name = line.substr(0, eq);
    value = line.substr(eq + 1);
}

int IniToInt(const std::string& text) {
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

void TIniFile::Add(const std::string& name, const std::string& value) {
    Lines.push_back({IniUpper(name), value});
}

std::string TIniFile::Get(const std::string& name) const {
    const std::string key = IniUpper(name);
    for (const auto& line : Lines) {
        if (line.Name == key) return line.Value;
    }
    return {};
}

void TIniFile::Set(const std::string& name, const std::string& value) {
    const std::string key = IniUpper(name);
    for (auto& line : Lines) {
        if (line.Name == key) {
            line.Value = value;
            return;
        }
    }
    Add(name, value);
}

std::string TIniFile::Text() const {
    std::string bytes;
    for (const auto& line : Lines) bytes += line.Name + "=" + line.Value + "\r\n";
    return bytes;
}

void TIniFile::Save() {
    // A file whose place is not known yet (start-up failed before it was
    // named) is not written anywhere.
    if (FileName.empty()) return;
    const std::string path = Path();
    StartupStage = 5007;
    StartupStage = 5008;
    // A folder that cannot be written (read-only, full) does not stop the game.
    if (!plat::WriteFileAtomic(path, Text())) ReportWriteFailure(path, errno);
    StartupStage = 5010;
}

void TIniFile::Load() {
    Read(Path());
    Save();
}

void TIniFile::Read(const std::string& path) {
    auto in = plat::ReadFile(path);
    if (!in) return;
    while (!in->Eof()) {
        std::string name, value;
        SplitIniLine(in->ReadLine(), name, value);
        name = IniUpper(name);
        for (auto& line : Lines) {
            if (line.Name == name) line.Value = value;
        }
    }
}

bool TIniFile::FileHoldsAnEntry() const {
    auto in = plat::ReadFile(Path());
    if (!in) return false;
    while (!in->Eof()) {
        std::string name, value;
        SplitIniLine(in->ReadLine(), name, value);
        name = IniUpper(name);
        for (const auto& line : Lines) {
            if (line.Name == name) return true;
        }
    }
    return false;
}

std::string IniReadValue(const std::string& path, const std::string& key) {
    auto in = plat::ReadFile(path);
    if (!in) return {};
    const std::string wanted = IniUpper(key);
    while (!in->Eof()) {
        std::string name, value;
        SplitIniLine(in->ReadLine(), name, value);
        if (IniUpper(name) == wanted) return value;
    }
    return {};
}

bool IniCopyReplacing(const std::string& from, const std::string& to, const std::string& key,
                      const std::string& value) {
    auto in = plat::ReadFile(from);
    if (!in) return false;
    const std::string wanted = IniUpper(key);
    std::string bytes;
    while (!in->Eof()) {
        const std::string line = in->ReadLine();
        std::string name, oldValue;
        SplitIniLine(line, name, oldValue);
        bytes += (IniUpper(name) == wanted ? name + "=" + value : line) + "\r\n";
    }
    return plat::WriteFileAtomic(to, bytes);
}
