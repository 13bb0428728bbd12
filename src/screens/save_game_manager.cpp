#include "screens/save_game_manager.h"

#include <algorithm>
#include <cmath>

#include "app/game.h"
#include "resources/input_tables.h"
#include "gui/font.h"
#include "gui/text.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/input.h"
#include "puzzle/save_game.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"
#include "screens/game_screen.h"

namespace {

constexpr int PANEL_W = 450;
constexpr int PANEL_H = 400;
constexpr int CAPTION_GAP = 10;
constexpr float SUB_DIALOG_DIM = 0.5f;

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const std::string ua = UpperAscii(a), ub = UpperAscii(b);
    return ua != ub ? ua < ub : a < b;
}

// Answers the dialog's result and drops it once it has answered.
template <typename DialogPtr>
int AnswerAndClose(DialogPtr& dialog) {
    const int answer = dialog->Manage();
    if (answer != 0) {
        dialog->Kill();
        dialog.reset();
    }
    return answer;
}

// Between two columns of a row, beyond the list's own gap.
constexpr float COLUMN_SPACE = 10;
// The name column keeps room for the widest name up to this part of the row.
constexpr float NAME_SHARE = 0.3f;

// A saved game's row: its name, the puzzle, the score and the date saved (the
// file's date for an older save). Another player's saves are left out; saves
// without an owner, and saves that cannot be read (listed last), are
// everybody's.
bool DescribeSave(const std::string& path, TChooserRow& row) {
    const TGameText& text = GameText();
    TSaveGameData save;
    const std::string problem = ReadSaveGameData(path, save);
    const bool readable = problem.empty();
    // Listed, and the log says why it cannot be loaded.
    if (!readable) WriteErrorLog(problem);
    if (readable && !save.Owner.empty() && save.Owner != Game().ProfileName) return false;
    if (!readable) {
        row.Text = row.Name + "\t" + text.FindString("Unreadable Level");
        return true;
    }
    row.Order = save.SavedAt > 0 ? save.SavedAt : plat::FileTime(path);
    const std::string date = plat::FormatLocalTime(row.Order, text.FindString("Save Date Format").c_str());
    const std::string puzzle = save.Puzzle ? PuzzleLabelOf(save.Puzzle->Path, save.Puzzle->IsCustom) : "";
    const std::string score = FillIn(text.FindString("Save Row Score"), "NNN", std::to_string(save.Score));
    row.Text = row.Name + "\t" + puzzle + "\t" + score + "\t" + date;
    return true;
}

MenuPtr ArrowMenu(const std::string& name) {
    auto menu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    menu->AddQuick(name, name);
    return menu;
}

}  // namespace

SaveGameManagerPtr TSaveGameManager::Create(const std::string& title, GameImagePtr image, const std::string& extension,
                                            const std::string& directory, const std::string& deleteMessage) {
    auto manager = std::make_shared<TSaveGameManager>();
    manager->Init(title, std::move(image), PANEL_W, PANEL_H, 0, 0);
    manager->ListBox = PNListBox::Create(5, 0, 1, 500);
    manager->Focus.LeaveUpDown = true;  // they walk the list
    // The chooser's own arrows move the window of rows; keys and the wheel do not.
    manager->ListBox->ArrowKeysMoveHighlight = 0;
    manager->ListBox->WheelScrolls = 0;
    manager->ListBox->Limit = MaxVisibleRows;
    manager->CreateMenu();
    for (const char* name : {"Load", "Delete", "Cancel"}) manager->Menu->AddQuick(name, name);
    if (auto load = manager->Menu->FindButton("Load")) load->OKButton = 1;
    manager->Menu->MakeRow(manager->ButtonGap);
    // Buttons of different heights share one middle line.
    const int rowHeight = manager->Menu->CalcHeight();
    for (const auto& button : manager->Menu->Buttons) button->MoveBy(0, static_cast<float>(rowHeight - button->h) / 2.0f);
    manager->MenuArrowCreate();
    manager->Extension = extension;
    manager->Directory = directory;
    manager->DeleteMessage = deleteMessage;
    manager->FillList();
    return manager;
}

void TSaveGameManager::MenuArrowCreate() {
    MenuArrowUp = ArrowMenu("Up");
    MenuArrowDown = ArrowMenu("Down");
}

void TSaveGameManager::FillList() {
    std::vector<TChooserRow> rows;
    for (const std::string& entry : plat::ReadDir(Directory)) {
        if (entry.empty() || entry == "." || entry == "..") continue;
        if (plat::ExtractExt(entry) != Extension || plat::StripExt(entry).empty()) continue;
        // A folder that happens to carry the extension is no file to load.
        if (plat::FileType(Directory + entry) != plat::FILETYPE_FILE) continue;
        const std::string name = plat::NameOfFile(plat::StripExt(entry));
        TChooserRow row{name, name, 0};
        if (DescribeRow && !DescribeRow(Directory + entry, row)) continue;
        rows.push_back(std::move(row));
    }
    std::stable_sort(rows.begin(), rows.end(), [this](const TChooserRow& a, const TChooserRow& b) {
        if (DescribeRow && a.Order != b.Order) return a.Order > b.Order;
        return LessIgnoringCase(a.Name, b.Name);
    });
    Names.clear();
    ListBox->Strings.clear();
    for (auto& row : rows) {
        Names.push_back(std::move(row.Name));
        ListBox->Strings.push_back(std::move(row.Text));
    }
    SizeColumns();
    // With nothing listed there is nothing to load or delete: the empty list says so.
    for (const char* name : {"Load", "Delete"}) {
        if (const auto button = Menu ? Menu->FindButton(name) : nullptr) {
            button->Disabled = Names.empty() ? 1 : 0;
            button->ClickDisabled = 0;
        }
    }
    ShowFirstRows();
}

void TSaveGameManager::SizeColumns() {
    if (!SizedColumns || !ListBox || !ListBox->Box || !ListBox->Font) return;
    // The widest text of each column, in the words of the language shown; a
    // row of two parts (a damaged save) runs on to the row's end.
    std::vector<float> widths;
    float nameWidth = 0;
    for (const std::string& row : ListBox->Strings) {
        std::vector<std::string> parts;
        for (size_t start = 0;;) {
            const size_t end = row.find('\t', start);
            parts.push_back(row.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
        nameWidth = std::max(nameWidth, static_cast<float>(ListBox->Font->TextWidth(parts[0])));
        if (parts.size() < 3) continue;
        if (widths.size() < parts.size() - 1) widths.resize(parts.size() - 1, 0.0f);
        for (size_t i = 1; i < parts.size(); ++i)
            widths[i - 1] = std::max(widths[i - 1], static_cast<float>(ListBox->Font->TextWidth(parts[i])));
    }
    ListBox->Columns.clear();
    if (widths.empty()) return;
    const float row = ListBox->Box->W - static_cast<float>(2 * ListBox->TextBorder);
    // From the right: the date, the score, then the puzzle.
    std::vector<float> starts(widths.size());
    float right = row;
    for (size_t i = widths.size(); i-- > 0;) {
        starts[i] = right - widths[i];
        right = starts[i] - COLUMN_SPACE;
    }
    // The names keep their room (up to a share of the row); the puzzle
    // gives way first, cut short. Room to spare is shared out between the columns.
    const float nameRoom = std::min(nameWidth, std::round(row * NAME_SHARE)) + COLUMN_SPACE;
    const float puzzleEnd = widths.size() > 1 ? starts[1] - COLUMN_SPACE : row;
    if (starts[0] < nameRoom) {
        starts[0] = std::min(nameRoom, puzzleEnd);
    } else {
        const float extra = std::floor((starts[0] - nameRoom) / static_cast<float>(widths.size()));
        float at = nameRoom;
        for (size_t i = 0; i < widths.size(); ++i) {
            starts[i] = at + extra;
            at = starts[i] + widths[i] + COLUMN_SPACE;
        }
    }
    ListBox->Columns.push_back(0.0f);
    for (const float start : starts) ListBox->Columns.push_back(std::floor(std::max(start, 0.0f)));
}

void TSaveGameManager::ShowFirstRows() {
    ListBox->TopIndex = 0;
    ListBox->SetIndex(0);
    ListBox->DoubleClicked = -1;
}

void TSaveGameManager::ScrollUp() {
    if (ListBox->TopIndex > 0) --ListBox->TopIndex;
}

void TSaveGameManager::ScrollDown() {
    if (ListBox->TopIndex + ListBox->Limit < ListBox->Count()) ++ListBox->TopIndex;
}

std::string TSaveGameManager::ChosenName() const {
    const int index = ListBox->Index;
    return index >= 0 && index < static_cast<int>(Names.size()) ? Names[static_cast<size_t>(index)] : std::string();
}

std::string TSaveGameManager::ChosenPath() const {
    const std::string name = ChosenName();
    return name.empty() ? std::string() : Directory + plat::FileNameOf(name) + "." + Extension;
}

void TSaveGameManager::DeleteChosenFile() {
    const std::string path = ChosenPath();
    if (path.empty()) return;
    if (!plat::DeleteFile(path) && plat::FileType(path) != plat::FILETYPE_NONE && ErrorDialogFunc) {
        DialogOK = ErrorDialogFunc(GameText().FindString("Could Not Delete File") + path + "'");
    }
    FillList();
}

int TSaveGameManager::ManageSubDialogs() {
    if (DialogOK) {
        AnswerAndClose(DialogOK);
        return 1;
    }
    if (DialogYesNo) {
        if (AnswerAndClose(DialogYesNo) == 1) DeleteChosenFile();
        return 1;
    }
    return 0;
}

void TSaveGameManager::ManageArrows() {
    if (MenuArrowUp) {
        MenuArrowUp->Manage();
        if (MenuArrowUp->Clicked("Up")) ScrollUp();
    }
    if (MenuArrowDown) {
        MenuArrowDown->Manage();
        if (MenuArrowDown->Clicked("Down")) ScrollDown();
    }
}

int TSaveGameManager::Manage() {
    if (ManageSubDialogs()) return 0;
    const int core = ManageCore();
    if (CloseResult != 0) return CloseResult;
    if (!core || Transitioning) return 0;
    ManageArrows();
    ListBox->Manage();
    if (ListBox->DoubleClicked >= 0) {
        ListBox->DoubleClicked = -1;
        ClickSound();
        if (const int chosen = OKClick()) return chosen;
    }
    if (Menu->Clicked("Load")) {
        if (const int chosen = OKClick()) return chosen;
    }
    if (KeyHit(plat::KEY_ESCAPE)) {
        ClickSound();
        CancelClick();
        return -1;
    }
    if (Menu->Clicked("Cancel")) {
        CancelClick();
        return -1;
    }
    if (Menu->Clicked("Delete")) DeleteSaveGameCheck();
    return 0;
}

void TSaveGameManager::DeleteSaveGameCheck() {
    if (ChosenName().empty() || !DialogYesNoFunc) return;
    DialogYesNo = DialogYesNoFunc(DeleteMessage);
}

int TSaveGameManager::OKClick() {
    if (ChosenName().empty()) {
        const std::string& why = ListBox->Count() == 0 ? EmptyText : NothingChosenText;
        if (!why.empty() && ErrorDialogFunc) DialogOK = ErrorDialogFunc(why);
        return 0;
    }
    FlushInput();
    return Close(1);
}

void TSaveGameManager::CancelClick() {
    FlushInput();
    Close(-1);
}

void TSaveGameManager::ClickSound() {
    if (!Menu) return;
    if (auto load = Menu->FindButton("Load")) PlayClickSound(load->SoundClick);
}

void TSaveGameManager::Start() {
    TDialog::Start();
    ShowFirstRows();
}

void TSaveGameManager::CalcSize() {
    CalcCaptionSize();
    CalcXY();
    BoxSize();
}

void TSaveGameManager::BoxSize() {
    if (!ListBox) return;
    const int arrowW = MenuArrowUp ? MenuArrowUp->CalcWidth() : 0;
    const int menuH = Menu ? Menu->CalcHeight() : 0;
    const float top = BoxY != 0 ? static_cast<float>(BoxY)
                                : static_cast<float>(y + Border) + Caption->CalcHeight() + CAPTION_GAP;
    const float bottom = static_cast<float>(y + h - Border - menuH - BoxBorderV / 2);
    const float width = static_cast<float>(w - 2 * BoxBorderH - (arrowW > 0 ? arrowW + ButtonGap : 0));
    ListBox->SetCoords(static_cast<float>(x + BoxBorderH), top, width, std::max(0.0f, bottom - top));
    ListBox->CalcLineHeight();
    const int lineH = std::max(1, ListBox->LineHeight);
    ListBox->Limit = std::clamp(static_cast<int>(ListBox->Box->H) / lineH, 1, MaxVisibleRows);
    ListBox->Box->H = static_cast<float>(ListBox->Limit * lineH);
}

void TSaveGameManager::MenuPosition() {
    PlaceMenu();
    if (!ListBox || !ListBox->Box) return;
    const TBox& box = *ListBox->Box;
    const float arrowX = NavButtonsXPosition >= 0 ? static_cast<float>(NavButtonsXPosition)
                                                  : box.X + box.W + static_cast<float>(ButtonGap);
    if (MenuArrowUp) {
        MenuArrowUp->SetX(arrowX);
        MenuArrowUp->SetY(box.Y);
        MenuArrowUp->ManageNoSound();
    }
    if (MenuArrowDown) {
        MenuArrowDown->SetX(arrowX);
        MenuArrowDown->SetY(box.Y + box.H - static_cast<float>(MenuArrowDown->CalcHeight()));
        MenuArrowDown->ManageNoSound();
    }
}

int TSaveGameManager::Draw() {
    if (!Active) return 0;
    if (DimWhenActive) DimScreen(SUB_DIALOG_DIM);
    TDialog::Draw();
    ListBox->Draw();
    DrawEmptyText();
    if (MenuArrowUp) MenuArrowUp->Draw(OffsetX, OffsetY);
    if (MenuArrowDown) MenuArrowDown->Draw(OffsetX, OffsetY);
    if ((DialogOK || DialogYesNo) && DimWhenShowingDialogs) DimScreen(SUB_DIALOG_DIM);
    if (DialogYesNo) DialogYesNo->Draw();
    if (DialogOK) DialogOK->Draw();
    return 1;
}

void TSaveGameManager::DrawEmptyText() {
    if (ListBox->Count() > 0 || EmptyText.empty() || !ListBox->Box || !ListBox->Font) return;
    const TBox& box = *ListBox->Box;
    ListBox->Font->Apply();
    const float height = ListBox->Font->CalcHeight();
    DrawTextAligned(EmptyText, std::round(box.X + box.W / 2.0f), std::round(box.Y + (box.H - height) / 2.0f),
                    ListBox->Font->Shadow != nullptr, ALIGN_CENTRE, true);
    TColor::Restore();
}

void TSaveGameManager::Kill() {
    for (auto* dialog : {static_cast<TDialog*>(DialogOK.get()), static_cast<TDialog*>(DialogYesNo.get())}) {
        if (dialog) dialog->Kill();
    }
    DialogOK.reset();
    DialogYesNo.reset();
    for (auto* menu : {&MenuArrowUp, &MenuArrowDown}) {
        if (*menu) (*menu)->Kill();
        menu->reset();
    }
    if (ListBox) ListBox->Kill();
    ListBox.reset();
    TDialog::Kill();
}

// ---- the game's choosers ------------------------------------------------------------

SaveGameManagerPtr CreateFileChooser(const std::string& titleKey, const std::string& extension) {
    auto& game = Game();
    game.FixedRateLogic.Init();
    const TGameText& text = GameText();
    // Saved games have more to show on a row: they get the wide panel.
    const bool saves = extension == "save";
    GameImagePtr panel = saves ? ImageBank().FindOrNull("managerwide") : nullptr;
    if (!panel) panel = ImageBank().FindOrNull("manager");
    auto chooser = TSaveGameManager::Create(text.FindString(titleKey), std::move(panel), extension, game.ProfilePath,
                                            text.FindString("Delete File"));
    chooser->EmptyText = text.FindString(saves ? "No Saved Games" : "No Custom Layouts");
    chooser->NothingChosenText = text.FindString("Choose A File");
    if (saves) {
        chooser->DescribeRow = DescribeSave;
        chooser->FillList();
    }
    chooser->ErrorDialogFunc = CreateMessageDialog;
    chooser->DialogYesNoFunc = CreateYesNoDialog;
    chooser->DimWhenActive = 1;
    chooser->DimWhenShowingDialogs = 1;
    chooser->DrawHighlight = 0;
    chooser->Shadow = TShadow::Create(3, 3, 0.4f);
    chooser->Menu->ResetShadow(1, 3, 3, 0.4f);
    const auto white = TColor::Create(255, 255, 255);
    chooser->ListBox->SetupFont(DialogFont(), white, TShadow::Create(1, 1, 0.6f));
    chooser->ListBox->SetupBox(TColor::Create(0, 0, 0, 0.45f));
    chooser->ListBox->HighlightCol = TColor::Create(60, 90, 170, 0.9f);
    chooser->SetupCaption(DialogFont(), white, TShadow::Create(1, 1, 0.6f));
    chooser->Start();
    chooser->SizedColumns = saves;
    chooser->SizeColumns();
    FlushInput();
    game.FixedRateLogic.Init();
    return chooser;
}

SaveGameManagerPtr CreateSaveGameChooser() { return CreateFileChooser("Choose Savegame", "save"); }

SaveGameManagerPtr CreateLayoutChooser() { return CreateFileChooser("Choose Layout", "layout"); }
