#include <vector>

#include "resources/input_tables.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/os.h"
#include "platform/stream.h"
#include "resources/error.h"
#include "resources/error_state.h"

int StartupStage = 0;
int ErrorOnScreen = 1;
int ErrorLogEnabled = 1;
std::string ErrorLogFolder;

namespace {

constexpr int kBoxX = 100, kBoxY = 250, kBoxW = 600, kBoxH = 100;

void DrawCentred(const std::string& text, float y) {
    plat::DrawText(text, 400.0f - static_cast<float>(plat::TextWidth(text)) / 2.0f, y);
}

void DrawErrorBox(const std::vector<std::string>& lines) {
    plat::ResetDrawingState();
    plat::Cls();
    plat::SetBlend(plat::SOLIDBLEND);
    plat::SetColor(0, 0, 0);
    plat::DrawRect(kBoxX + 4, kBoxY + 4, kBoxW, kBoxH);
    plat::SetColor(150, 150, 150);
    plat::DrawRect(kBoxX, kBoxY, kBoxW, kBoxH);
    plat::SetColor(220, 220, 200);
    plat::DrawLine(kBoxX, kBoxY, kBoxX + kBoxW - 1, kBoxY);
    plat::DrawLine(kBoxX, kBoxY + kBoxH - 1, kBoxX + kBoxW - 1, kBoxY + kBoxH - 1);
    plat::DrawLine(kBoxX, kBoxY, kBoxX, kBoxY + kBoxH - 1);
    plat::DrawLine(kBoxX + kBoxW - 1, kBoxY, kBoxX + kBoxW - 1, kBoxY + kBoxH - 1);
    plat::SetBlend(plat::ALPHABLEND);
    float y = kBoxY + 10;
    const int lineHeight = plat::TextHeight("Ag");
    for (const auto& line : lines) {
        plat::SetColor(0, 0, 0);
        DrawCentred(line, y + 1);
        plat::SetColor(0, 220, 220);
        DrawCentred(line, y);
        y += static_cast<float>(lineHeight);
    }
    plat::SetColor(0, 220, 0);
    DrawCentred("<press any key>", static_cast<float>(kBoxY + kBoxH - 10 - lineHeight));
    plat::Flip(1);
}

bool AnyKeyOrButtonHit() {
    for (int key = 1; key < KEY_TABLE_SIZE; ++key) {
        if (plat::PolledKeyHit(key)) return true;
    }
    for (int b = 1; b <= 3; ++b) {
        if (plat::PolledMouseHit(b)) return true;
    }
    return false;
}

// The box drawn by the game itself, until a key or a button is hit. Before
// any graphics are open there is no screen: a system message box it is.
void ShowOnScreenBox(const std::string& text) {
    if (!plat::GraphicsOpen()) {
        plat::MessageBox("Vellichorns", text, true);
        return;
    }
    PolledInput = 1;
    plat::EnablePolledInput(true);
    FlushInput();
    plat::SetImageFont(nullptr);
    const auto lines = WrapTextToWidth(text, 580);
    while (true) {
        plat::PollAllEvents();
        if (AnyKeyOrButtonHit()) break;
        DrawErrorBox(lines);
    }
    plat::SetColor(255, 255, 255);
    FlushInput();
}

}  // namespace

std::vector<std::string> WrapTextToWidth(const std::string& text, int maxWidth) {
    std::vector<std::string> lines;
    std::string line, word;
    auto flushWord = [&]() {
        if (word.empty()) return;
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && plat::TextWidth(candidate) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        word.clear();
    };
    for (char c : text) {
        if (c == ' ') {
            flushWord();
        } else if (c == '\n') {
            flushWord();
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            word += c;
        }
    }
    flushWord();
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

namespace {

// The log's bytes for a report that waits until its folder is known.
std::string pendingLog;

std::string LogBytes(const std::string& text) {
    return "Date: " + plat::CurrentDate() + "\r\nTime: " + plat::CurrentTime() + "\r\n" + text + "\r\n";
}

std::string LoggedText(const std::string& text, const std::string& detail) {
    const std::string staged = CrashText(text);
    return detail.empty() ? staged : staged + "\r\n" + detail;
}

}  // namespace

void WriteErrorLog(const std::string& text) {
    if (!ErrorLogEnabled) return;
    if (ErrorLogFolder.empty()) {
        pendingLog = LogBytes(text);
        return;
    }
    plat::WriteFileAtomic(ErrorLogFolder + "ErrorLog.txt", LogBytes(text));
}

void SetErrorLogFolder(const std::string& folder) {
    ErrorLogFolder = folder;
    WritePendingErrorLog();
}

void WritePendingErrorLog() {
    if (ErrorLogFolder.empty() || pendingLog.empty()) return;
    if (plat::WriteFileAtomic(ErrorLogFolder + "ErrorLog.txt", pendingLog)) pendingLog.clear();
}

void ResetErrorLog() {
    ErrorLogFolder.clear();
    pendingLog.clear();
}

void ErrorMessage(const std::string& text, bool fatal, const std::string& detail) {
    WriteErrorLog(LoggedText(text, detail));
    if (ErrorOnScreen) {
        ShowOnScreenBox(text);
        if (fatal) throw TFatalError(text, true);
        return;
    }
    plat::MessageBox("Vellichorns", text, false);
    if (fatal) throw TFatalError(text, true);
    throw TGameError(text, true);
}

std::string CrashText(const std::string& text) {
    if (StartupStage == 0) return text;
    return "(" + std::to_string(StartupStage) + ") " + text;
}

void ReportCrash(const std::exception& error) {
    plat::CloseGraphics();
    plat::ShowMouse();
    if (const auto* game = dynamic_cast<const TGameError*>(&error); game && game->Shown) return;
    WriteErrorLog(CrashText(error.what()));
    if (dynamic_cast<const TGameError*>(&error)) {
        plat::MessageBox("Vellichorns", CrashText(error.what()), true);
        return;
    }
    // Anything else comes from deep inside (the library's own texts): the
    // player gets a sentence, the log the detail.
    std::string text = "Vellichorns met an unexpected problem and has to close.";
    if (!ErrorLogFolder.empty()) text += " The details are in " + ErrorLogFolder + "ErrorLog.txt.";
    plat::MessageBox("Vellichorns", CrashText(text), true);
}
