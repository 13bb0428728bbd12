#include "screens/player_manager.h"

#include <algorithm>

#include "app/game.h"
#include "app/ini_file.h"
#include "resources/input_tables.h"
#include "gui/button.h"
#include "gui/font.h"
#include "gui/text_input.h"
#include "persistence/profile.h"
#include "platform/files.h"
#include "platform/input.h"
#include "resources/resource_globals.h"

namespace {

constexpr int LIST_GAP = 4;
constexpr int DOUBLE_CLICK_MS = 500;
constexpr int PLAIN_MESSAGE_W = 400, PLAIN_MESSAGE_H = 100;
constexpr float SUB_DIALOG_DIM = 0.5f;
constexpr float ACTIVE_DIM = 0.5f;
constexpr int SCREEN_EDGE = 8;  // a dialog moved to the screen's top or bottom keeps this far off it

ColorPtr White() { return TColor::Create(255, 255, 255); }
ShadowPtr TextShadow() { return TShadow::Create(1, 1, 0.6f); }

bool Listed(const TListBox& list, const std::string& name) {
    return std::find(list.Strings.begin(), list.Strings.end(), name) != list.Strings.end();
}

// A message without a dialog factory: a plain grey box of 400 x 100.
DialogOKPtr PlainMessage(const std::string& text) {
    auto dialog = TDialogOK::Create(text, nullptr, PLAIN_MESSAGE_W, PLAIN_MESSAGE_H, 0);
    dialog->SetupCaption(DialogFont(), White(), TextShadow());
    dialog->Start();
    return dialog;
}

}  // namespace

// ---- TPlayerManager --------------------------------------------------------------

void TPlayerManager::Build(const std::string& title, GameImagePtr image, int limit) {
    Limit = limit;
    // Without a panel image the manager is a plain panel of the image's size.
    Init(title, std::move(image), 450, 400, 0, 0);
    DrawHighlight = 0;
    Shadow = TShadow::Create(3, 3, 0.4f);
    CreateMenu();
    for (const char* name : {"Create", "Delete", "OK", "Cancel"}) Menu->AddQuick(name, name);
    Menu->FindButton("OK")->OKButton = 1;
    ListBox = TListBox::Create(LIST_GAP, 0, 1, DOUBLE_CLICK_MS);
    Focus.LeaveUpDown = true;  // they walk the list
    ListBox->SetupFont(DialogFont(), White(), TextShadow());
    ListBox->SetupBox(TColor::Create(0, 0, 0, 0.45f));
    ListBox->HighlightCol = TColor::Create(70, 110, 190, 0.9f);
    ListBox->SetClickSound(GuiSound("buttonclick"));
    SetupCaption(DialogFont(), White(), TextShadow());
    FillList();
    Start();
}

void TPlayerManager::FillList() {
    std::vector<std::string> players;
    ListPlayers(players);
    ListBox->Strings = std::move(players);
    ListBox->ClearIndex();
    ListBox->SetTopIndex(0);
    HighlightCurrentPlayer();
}

void TPlayerManager::SetNotice(const std::string& text) {
    notice_.reset();
    if (!text.empty()) {
        notice_ = TLabel::CreateSpecial(text, 0, 0, ALIGN_CENTRE);
        notice_->Init(FirstFont(), TColor::Create(255, 214, 120), TextShadow());
    }
    MenuPosition();
}

const std::string& TPlayerManager::NoticeText() const {
    static const std::string none;
    return notice_ ? notice_->Text : none;
}

void TPlayerManager::HighlightCurrentPlayer() {
    const auto& current = Game().CurrentProfile;
    const auto& rows = ListBox->Strings;
    const auto at = current ? std::find(rows.begin(), rows.end(), current->Name) : rows.end();
    ListBox->SetIndex(at == rows.end() ? -1 : static_cast<int>(at - rows.begin()));
}

// The list on the left, under the caption; the buttons in a column on the
// right, "Create" and "Delete" level with the list's top, "OK" and "Cancel"
// with its bottom.
void TPlayerManager::MenuPosition() {
    if (!Menu || !ListBox) return;
    auto create = Menu->FindButton("Create"), remove = Menu->FindButton("Delete");
    auto ok = Menu->FindButton("OK"), cancel = Menu->FindButton("Cancel");
    int buttonW = 0;
    for (const auto& button : Menu->Buttons) buttonW = std::max(buttonW, button->w);
    const int buttonsLeft = x + w - BoxBorderH - buttonW;
    PlaceList(buttonsLeft);
    const float top = ListBox->Box->Y;
    const float bottom = top + ListBox->Box->H;
    const auto left = static_cast<float>(buttonsLeft);
    create->MoveTo(left, top);
    remove->MoveTo(left, top + static_cast<float>(create->h + ButtonGap));
    cancel->MoveTo(left, bottom - static_cast<float>(cancel->h));
    ok->MoveTo(left, cancel->y - static_cast<float>(ButtonGap + ok->h));
    Menu->CalcCoords();
    Menu->ManageNoSound();
}

void TPlayerManager::PlaceList(int buttonsLeft) {
    float top = BoxY != 0 ? static_cast<float>(y + BoxY)
                          : Caption->Y + Caption->CalcHeight() + static_cast<float>(BoxBorderV);
    if (notice_) {
        // The notice sits in the gap above the list, which moves down by its height.
        notice_->X = static_cast<float>(x + w / 2);
        notice_->Y = top - static_cast<float>(BoxBorderV) / 2.0f;
        top += notice_->CalcHeight();
    }
    const float left = static_cast<float>(x + BoxBorderH);
    const float width = static_cast<float>(buttonsLeft - BoxBorderH) - left;
    const float height = static_cast<float>(y + h - BoxBorderV) - top;
    // With a limit, that many rows share the height; without one, rows are close.
    if (Limit > 0 && ListBox->Font) {
        const float fontHeight = ListBox->Font->CalcHeight();
        const auto spare = static_cast<int>((height / static_cast<float>(Limit) - fontHeight) / 2.0f);
        ListBox->Gap = std::max(LIST_GAP, spare);
    }
    ListBox->SetCoords(left, top, width, height);
    ListBox->CalcLineHeight();
    if (Limit > 0 && ListBox->DisplayLines > Limit) {
        ListBox->SetCoords(left, top, width, static_cast<float>(Limit * ListBox->LineHeight));
        ListBox->CalcLineHeight();
    }
    ListBox->Limit = ListBox->DisplayLines;
}

int TPlayerManager::Manage() {
    if (!Active) return CloseResult;
    if (DialogOK) {
        if (DialogOK->Manage() == 0) return 0;
        DialogOK->Kill();
        DialogOK.reset();
        Settle();
        return 0;
    }
    if (DialogYesNo) {
        const int answer = DialogYesNo->Manage();
        if (answer == 0) return 0;
        DialogYesNo->Kill();
        DialogYesNo.reset();
        if (answer == 1) {
            DeleteSelected();
            FillList();
        }
        Settle();
        return 0;
    }
    if (EnterName) {
        const int answer = EnterName->Manage();
        if (answer == 0) return 0;
        const std::string name = EnterName->Answer();
        EnterName->Kill();
        EnterName.reset();
        Settle();
        return answer == 1 ? NameEntered(name) : 0;
    }
    ManageCore();
    if (Transitioning) return 0;
    ListBox->Manage();
    if (ListBox->GetDoubleClicked() >= 0) {
        ClickSound();
        return OKClick();
    }
    if (Menu->Clicked("OK")) return OKClick();
    if (KeyHit(plat::KEY_ESCAPE)) {
        ClickSound();
        return CancelClick();
    }
    if (Menu->Clicked("Cancel")) return CancelClick();
    if (Menu->Clicked("Create")) {
        CreateClick();
    } else if (Menu->Clicked("Delete")) {
        DeleteProfileCheck();
    }
    return 0;
}

void TPlayerManager::Settle() {
    if (Menu) Menu->ManageNoSound();
}

void TPlayerManager::CreateClick() {
    if (Limit > 0 && ListBox->Count() >= Limit) {
        ShowMessage(MessageCannotCreate);
        return;
    }
    OpenNamePrompt(1);
}

void TPlayerManager::OpenNamePrompt(int withCancel) {
    EnterName = EnterNamePromptFunc ? EnterNamePromptFunc(withCancel) : CreatePlayerNamePrompt(withCancel);
    EnterName->Start();
}

int TPlayerManager::NameEntered(std::string name) {
    if (UpperFirstChar) name = UppercaseFirst(name);
    const std::string problem = CreateProfileFunc ? CreateProfileFunc(name) : std::string();
    FillList();
    HighlightCurrentPlayer();
    if (!problem.empty()) {
        // The player lives on in memory only.
        unwrittenPlayer_ = true;
        ShowMessage(problem);
        return 0;
    }
    return AutoAcceptAfterCreate ? OKClick() : 0;
}

int TPlayerManager::OKClick() {
    if (ListBox->Index < 0) return 0;
    MakeCurrentPlayer(ListBox->Value, true);
    return Close(1);
}

int TPlayerManager::CancelClick() {
    const auto& current = Game().CurrentProfile;
    if (!current || !Listed(*ListBox, current->Name)) {
        if (ListBox->Count() == 0) {
            // A player only in memory (its file could not be written) stays;
            // without any player a name is asked for.
            if (!current || !unwrittenPlayer_) {
                OpenNamePrompt(0);
                return 0;
            }
        } else {
            MakeCurrentPlayer(ListBox->Strings.front(), true);
        }
    }
    return Close(-1);
}

void TPlayerManager::DeleteProfileCheck() {
    if (ListBox->Index < 0) return;
    if (ListBox->Count() == 1) {
        ShowMessage(MessageCannotDelete);
        return;
    }
    const std::string question = ConfirmDeleteFunc ? ConfirmDeleteFunc(ListBox->Value) : MessageConfirmDelete;
    DialogYesNo = DialogYesNoFunc ? DialogYesNoFunc(question) : CreateYesNoDialog(question);
    if (DialogYesNo) PlaceClearOfMarked(*DialogYesNo);
}

void TPlayerManager::PlaceClearOfMarked(TDialog& question) const {
    const int row = ListBox->Index - ListBox->TopIndex;
    if (!ListBox->Box || row < 0) return;
    const TBox& list = *ListBox->Box;
    const auto listTop = static_cast<int>(list.Y), listBottom = static_cast<int>(list.Y + list.H);
    const int rowTop = listTop + row * ListBox->LineHeight, rowBottom = rowTop + ListBox->LineHeight;
    int best = -1, leastHidden = ScreenHeight;
    for (const int top : {SCREEN_EDGE, ScreenHeight - SCREEN_EDGE - question.h}) {
        const int bottom = top + question.h;
        if (top < rowBottom && bottom > rowTop) continue;
        const int hidden = std::max(0, std::min(bottom, listBottom) - std::max(top, listTop));
        if (hidden < leastHidden) {
            best = top;
            leastHidden = hidden;
        }
    }
    if (best >= 0) question.MoveToY(best);
}

void TPlayerManager::DeleteSelected() { plat::DeleteFile(ProfileFilePath(ListBox->Value)); }

void TPlayerManager::ShowMessage(const std::string& text) {
    DialogOK = ErrorDialogFunc ? ErrorDialogFunc(text) : PlainMessage(text);
}

void TPlayerManager::ClickSound() {
    if (auto ok = Menu ? Menu->FindButton("OK") : nullptr) ok->PlayClick();
}

int TPlayerManager::Draw() {
    if (!Active) return 0;
    const bool subDialog = SubDialogOpen();
    if (DimWhenActive) DimScreen(ACTIVE_DIM);
    if (!(subDialog && DrawDisabled)) {
        TDialog::Draw();
        if (notice_) notice_->Draw(static_cast<float>(OffsetX), static_cast<float>(OffsetY));
        ListBox->Draw();
        if (FrontFrame && FrontFrame->image) {
            plat::SetBlend(plat::ALPHABLEND);
            plat::DrawImage(*FrontFrame->image, static_cast<float>(x + FrontFrameX), static_cast<float>(y + FrontFrameY));
        }
    }
    if (!subDialog) return 1;
    if (DimWhenShowingDialogs) DimScreen(SUB_DIALOG_DIM);
    if (DialogOK) DialogOK->Draw();
    if (DialogYesNo) DialogYesNo->Draw();
    if (EnterName) EnterName->Draw();
    return 1;
}

void TPlayerManager::Kill() {
    if (DialogOK) DialogOK->Kill();
    if (DialogYesNo) DialogYesNo->Kill();
    if (EnterName) EnterName->Kill();
    DialogOK.reset();
    DialogYesNo.reset();
    EnterName.reset();
    if (ListBox) ListBox->Kill();
    ListBox.reset();
    notice_.reset();
    FrontFrame.reset();
    TDialog::Kill();
}

// ---- PNPlayerManager --------------------------------------------------------------

std::shared_ptr<PNPlayerManager> PNPlayerManager::Create(const std::string& title, GameImagePtr image, int limit) {
    auto manager = std::make_shared<PNPlayerManager>();
    manager->Build(title, std::move(image), limit);
    return manager;
}

void PNPlayerManager::OpenNamePrompt(int withCancel) {
    TPlayerManager::OpenNamePrompt(withCancel);
    auto& editor = *EnterName->TextInput;
    editor.BannedChars = NameBannedChars + "=";
    editor.AllowExtendedChars = 1;
}

void PNPlayerManager::DeleteSelected() {
    TPlayerManager::DeleteSelected();
    if (CustomDeleteFunction) CustomDeleteFunction(*this);
}

// ---- the game's players ------------------------------------------------------------

// Letter case does not tell two players apart, for the Latin-1 letters
// either: "Zo\xeb" and "ZO\xcb" are one player.
static std::string UpperLatin1(const std::string& text) {
    std::string upper;
    for (const char c : text) upper += UppercaseFirst(std::string(1, c));
    return upper;
}

std::string PlayerNameOwner(const std::string& name) {
    // Every entry counts, not only the listed players: "Bob.DAT" would be
    // the file of a player "bob" on a folder that ignores letter case.
    const std::string file = UpperLatin1(name + ".dat");
    for (const std::string& entry : plat::ReadDir(Game().ProfilePath)) {
        const std::string owner = plat::NameOfFile(entry);
        if (UpperLatin1(owner) == file) return owner.substr(0, owner.size() - 4);
    }
    return {};
}

bool NewPlayerNameAllowed(const std::string& name) {
    if (!IsSafeFileName(name) || name.size() > static_cast<size_t>(PLAYER_NAME_LENGTH)) return false;
    return PlayerNameOwner(name).empty();
}

DialogTextInputPtr CreatePlayerNamePrompt(int withCancel) {
    auto dialog = CreateTextInputDialog(withCancel, GameText().FindString("Enter Name"));
    const std::string picture = Game().ImagePath + "entername.png";
    if (plat::FileType(picture) == plat::FILETYPE_FILE) dialog->Background = TGameImage::Create(picture);
    dialog->TextInput->MaxLength = PLAYER_NAME_LENGTH;
    dialog->ErrorCheckFunc = [](const std::string& answer, std::string& message) {
        // An empty answer is the dialog's own to refuse, quietly.
        if (answer.empty() || NewPlayerNameAllowed(answer)) return 0;
        const std::string owner = PlayerNameOwner(answer);
        message = owner.empty() ? GameText().FindString("Name Error")
                                : GameText().FindString("Name Error Taken", owner);
        return -1;
    };
    return dialog;
}
