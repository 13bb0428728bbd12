#include "screens/level_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "app/game.h"
#include "app/ini_file.h"
#include "resources/input_tables.h"
#include "gui/font.h"
#include "gui/text.h"
#include "platform/files.h"
#include "platform/input.h"
#include "puzzle/board_text.h"
#include "puzzle/cell_box.h"
#include "puzzle/layout_file.h"
#include "resources/game_text.h"
#include "resources/error_state.h"
#include "resources/resource_globals.h"

namespace {

constexpr std::array<float, 4> SLOT_X = {100, 300, 500, 700};
constexpr std::array<float, 2> SLOT_Y = {217, 360};
constexpr float SLOT_HALF_W = 80, SLOT_HALF_H = 50;
constexpr float NAME_ABOVE = 60;
constexpr float CHECK_X = -74, CHECK_Y = -50;
constexpr float PAGE_LINE_Y = 451;
constexpr float SIZE_CAPTION_Y = 475;
constexpr float NO_LEVELS_Y = 250;
constexpr int ARROW_GAP = 190;
constexpr float ARROW_Y = 450;
constexpr int THUMB_CELL = CELL_SIZE / 4;
// The stars and best score of a played slot, on the name's line either side.
constexpr int STAR_SIZE = 13, STAR_GAP = 1;
constexpr int STARS_WIDTH = MAX_STARS * STAR_SIZE + (MAX_STARS - 1) * STAR_GAP;
constexpr float STARS_RIGHT = 76, BEST_LEFT = -76, STAR_DROP = 3;
// The star lines beside the arrows, each side's room.
// The star lines from the screen's sides to the arrows, which leave them 220 pixels.
constexpr float STAR_TOTALS_X = 14, STAR_TOTAL_RISE = 10;

bool IsNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Numbered names first, by value ("9" before "10"), then the rest by name
// ignoring letter case.
bool LevelOrder(const std::string& a, const std::string& b) {
    const bool na = IsNumber(a), nb = IsNumber(b);
    if (na != nb) return na;
    if (na) {
        const std::string ta = a.substr(std::min(a.find_first_not_of('0'), a.size()));
        const std::string tb = b.substr(std::min(b.find_first_not_of('0'), b.size()));
        if (ta.size() != tb.size()) return ta.size() < tb.size();
        if (ta != tb) return ta < tb;
        return a < b;
    }
    const std::string ua = UpperAscii(a), ub = UpperAscii(b);
    return ua != ub ? ua < ub : a < b;
}

void DrawBankImage(const char* name, float x, float y) {
    const auto image = ImageBank().FindTImage(name);
    if (image) plat::DrawImage(*image, x, y);
}

// A cell image cut down to THUMB_CELL pixels square, averaging each block
// of source pixels (weighted by their opacity).
plat::PixmapPtr ShrunkTile(const plat::ImagePtr& image) {
    auto tile = plat::CreatePixmap(THUMB_CELL, THUMB_CELL);
    tile->Clear(0);
    if (!image) return tile;
    const auto source = plat::LockImage(*image, 0);
    if (!source || source->Width() <= 0 || source->Height() <= 0) return tile;
    for (int ty = 0; ty < THUMB_CELL; ++ty)
        for (int tx = 0; tx < THUMB_CELL; ++tx) {
            const int x0 = tx * source->Width() / THUMB_CELL, x1 = std::max(x0 + 1, (tx + 1) * source->Width() / THUMB_CELL);
            const int y0 = ty * source->Height() / THUMB_CELL, y1 = std::max(y0 + 1, (ty + 1) * source->Height() / THUMB_CELL);
            long a = 0, r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const uint32_t p = source->ReadPixel(sx, sy);
                    const int pa = plat::PixA(p);
                    a += pa;
                    r += plat::PixR(p) * pa;
                    g += plat::PixG(p) * pa;
                    b += plat::PixB(p) * pa;
                    ++n;
                }
            if (a == 0) continue;
            tile->WritePixel(tx, ty, plat::ARGB(static_cast<int>(a / n), static_cast<int>(r / a), static_cast<int>(g / a),
                                                static_cast<int>(b / a)));
        }
    return tile;
}

void Blit(plat::TPixmap& target, const plat::TPixmap& tile, int x, int y) {
    for (int ty = 0; ty < tile.Height(); ++ty)
        for (int tx = 0; tx < tile.Width(); ++tx) target.WritePixel(x + tx, y + ty, tile.ReadPixel(tx, ty));
}

}  // namespace

// ---- the thumbnail ---------------------------------------------------------------------

plat::ImagePtr CreateLevelThumbnail(const std::string& path, int& floorCells, int /*index*/) {
    floorCells = 0;
    if (plat::FileType(path) != plat::FILETYPE_FILE) return nullptr;
    std::vector<uint8_t> bytes;
    TLayoutBlocks layout;
    std::string problem = ReadBoardFile(path, bytes);
    if (problem.empty()) {
        if (const std::string refused = ParseLayout(bytes, layout); !refused.empty())
            problem = "The file '" + path + "' is not a valid puzzle layout (" + refused + ")";
    }
    if (!problem.empty()) {
        // Its slot says it cannot be read; the log says why.
        WriteErrorLog(problem);
        return nullptr;
    }
    const plat::PixmapPtr normal = ShrunkTile(CellBank().FindTImage("cellnormal"));
    const plat::PixmapPtr marble = ShrunkTile(CellBank().FindTImage("cellmarble"));
    // The whole interior of the board, so that every floor keeps its place
    // and every thumbnail sits centred in its slot.
    auto picture = plat::CreatePixmap(BLOCK_COLUMNS * THUMB_CELL, BLOCK_ROWS * THUMB_CELL);
    picture->Clear(0);
    for (int r = 0; r < BLOCK_ROWS; ++r)
        for (int c = 0; c < BLOCK_COLUMNS; ++c) {
            const int contents = layout.Contents[r][c];
            if (contents == 0) continue;
            Blit(*picture, contents == 1 ? *normal : *marble, c * THUMB_CELL, r * THUMB_CELL);
            ++floorCells;
        }
    auto image = plat::LoadImageFromPixmap(*picture, plat::MASKEDIMAGE | plat::DYNAMICIMAGE);
    if (image) plat::MidHandleImage(*image);
    return image;
}

// ---- stars ----------------------------------------------------------------------------------

namespace {

// Whether (x, y) lies in a five-pointed star of the given outer radius
// centred on the origin, point up (crossings of a ray to the right).
bool InStar(float x, float y, float radius) {
    constexpr int POINTS = 10;
    float px[POINTS], py[POINTS];
    for (int i = 0; i < POINTS; ++i) {
        const float angle = static_cast<float>(M_PI) * (static_cast<float>(i) / 5.0f - 0.5f);
        const float r = i % 2 ? radius * 0.42f : radius;
        px[i] = r * std::cos(angle);
        py[i] = r * std::sin(angle);
    }
    bool inside = false;
    for (int i = 0, j = POINTS - 1; i < POINTS; j = i++)
        if ((py[i] > y) != (py[j] > y) && x < (px[j] - px[i]) * (y - py[i]) / (py[j] - py[i]) + px[i])
            inside = !inside;
    return inside;
}

// One star at (left, 0) of the strip, its edge smoothed by 4 x 4 samples.
// A star not won is grey in a dark rim, so that it shows on the dark slots
// and on the selected one's blue alike.
void PaintStar(plat::TPixmap& strip, int left, bool won) {
    const float half = STAR_SIZE / 2.0f, rim = 1.3f;
    for (int y = 0; y < STAR_SIZE; ++y)
        for (int x = 0; x < STAR_SIZE; ++x) {
            int hits = 0, inner = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const float px = x + (sx + 0.5f) / 4 - half, py = y + (sy + 0.5f) / 4 - half + 0.6f;
                    hits += InStar(px, py, half);
                    inner += InStar(px, py, half - rim);
                }
            if (!hits) continue;
            if (won) {
                strip.WritePixel(left + x, y, plat::ARGB(hits * 255 / 16, 255, 212, 84));
                continue;
            }
            const auto mix = [&](int fill, int edge) { return (fill * inner + edge * (hits - inner)) / hits; };
            strip.WritePixel(left + x, y, plat::ARGB(hits * 230 / 16, mix(120, 16), mix(128, 20), mix(156, 36)));
        }
}

}  // namespace

plat::ImagePtr CreateStarImage() {
    auto strip = plat::CreatePixmap(STARS_WIDTH * (MAX_STARS + 1), STAR_SIZE);
    strip->Clear(0);
    for (int frame = 0; frame <= MAX_STARS; ++frame)
        for (int star = 0; star < MAX_STARS; ++star)
            PaintStar(*strip, frame * STARS_WIDTH + star * (STAR_SIZE + STAR_GAP), star < frame);
    return plat::LoadAnimImageFromPixmap(*strip, STARS_WIDTH, STAR_SIZE, 0, MAX_STARS + 1, plat::MASKEDIMAGE);
}

// ---- PNLevelList -------------------------------------------------------------------------

std::unique_ptr<PNLevelList> PNLevelList::Create(const std::string& folderPath, const std::string& filePrefix,
                                                 const std::string& currentLevel, const std::string& levelSizeText,
                                                 const std::string& noLevelsText, int trimZeros, int drawOffsetX,
                                                 int drawOffsetY, const std::string& levelCompletedFile,
                                                 const std::string& levelCompletedPath) {
    auto list = std::make_unique<PNLevelList>();
    list->FolderPath = folderPath;
    list->FilePrefix = filePrefix;
    list->CurrentLevel = currentLevel;
    list->LevelSizeText = levelSizeText;
    list->NoLevelsText = noLevelsText;
    list->TrimLevelTextZeros = trimZeros;
    list->DrawOffsetX = drawOffsetX;
    list->DrawOffsetY = drawOffsetY;
    list->LevelCompletedFile = levelCompletedFile;
    list->LevelCompletedPath = levelCompletedPath;
    list->GlowCounter.Init(0, 360, 0.5f);
    return list;
}

void PNLevelList::Init() { ScanLevelFolder(); }

void PNLevelList::ScanLevelFolder() {
    LevelList.clear();
    for (const std::string& entry : plat::ReadDir(FolderPath)) {
        if (entry == "." || entry == "..") continue;
        if (plat::ExtractExt(entry) != FilePrefix || plat::StripExt(entry).empty()) continue;
        LevelList.push_back(plat::NameOfFile(plat::StripExt(entry)));
    }
    std::stable_sort(LevelList.begin(), LevelList.end(), LevelOrder);
}

std::string PNLevelList::LevelPath(const std::string& name) const {
    return FolderPath + plat::FileNameOf(name) + "." + FilePrefix;
}

int PNLevelList::PageStartFor(int k) const {
    if (k < 0) return 0;
    const int start = std::min((k / NumLevelItems) * NumLevelItems, LevelCount() - NumLevelItems);
    return std::max(start, 0);
}

int PNLevelList::PageCount() const { return (LevelCount() + NumLevelItems - 1) / NumLevelItems; }

int PNLevelList::PageNumber() const {
    if (LevelList.empty()) return 0;
    // The last page may start part-way (it is always full): it still counts as the last.
    return std::min((std::max(CurrentPagePosition, 0) + NumLevelItems - 1) / NumLevelItems + 1, PageCount());
}

std::string PNLevelList::PageLine() const {
    if (LevelList.empty() || PageText.empty()) return {};
    return FillIn(FillIn(PageText, "NNN", std::to_string(PageNumber())), "MMM", std::to_string(PageCount()));
}

void PNLevelList::UpdateArrows() {
    if (!NavigationMenu) return;
    const bool first = CurrentPagePosition <= 0;
    const bool last = CurrentPagePosition >= LevelCount() - NumLevelItems;
    if (const auto left = NavigationMenu->FindButton("arrowLeft")) left->Disabled = first ? 1 : 0;
    if (const auto right = NavigationMenu->FindButton("arrowRight")) right->Disabled = last ? 1 : 0;
}

std::string PNLevelList::LevelAfterLastCompleted() {
    if (LevelList.empty()) return {};
    CompletedIniFile.reset();
    int last = -1;
    for (int i = LevelCount() - 1; i >= 0 && last < 0; --i)
        if (CheckLevelCompleted(LevelPath(LevelList[static_cast<size_t>(i)]))) last = i;
    CompletedIniFile.reset();
    return LevelList[static_cast<size_t>(std::min(last + 1, LevelCount() - 1))];
}

void PNLevelList::UpdateCurrentPagePosition() {
    const auto found = std::find(LevelList.begin(), LevelList.end(), CurrentLevel);
    if (!CurrentLevel.empty() && found != LevelList.end()) {
        const int k = static_cast<int>(found - LevelList.begin());
        CurrentPagePosition = PageStartFor(k);
        CurrentLevelID = k - CurrentPagePosition;
        return;
    }
    CurrentPagePosition = 0;
    CurrentLevelID = 0;
    CurrentLevel = LevelList.empty() ? std::string() : LevelList.front();
}

void PNLevelList::CreateImages(int updatePage) {
    if (updatePage) UpdateCurrentPagePosition();
    CurrentPagePosition = std::max(CurrentPagePosition, 0);
    ImageList.clear();
    LevelSizeList.clear();
    LevelCompletedList.clear();
    SlotBests.clear();
    CompletedIniFile.reset();
    PageStars = 0;
    for (int i = CurrentPagePosition; i < CurrentPagePosition + NumLevelItems && i < LevelCount(); ++i) {
        const std::string file = LevelPath(LevelList[static_cast<size_t>(i)]);
        int count = 0;
        ImageList.push_back(CreateLevelImageFunction ? CreateLevelImageFunction(file, count, i) : nullptr);
        LevelSizeList.push_back(std::to_string(count));
        LevelCompletedList.push_back(CheckLevelCompleted(file) ? "1" : "0");
        const TPersonalBest* best = FindBest ? FindBest(CompletionKey(file)) : nullptr;
        SlotBests.push_back(best ? std::optional<TPersonalBest>(*best) : std::nullopt);
        PageStars += best ? best->Stars : 0;
    }
    CompletedIniFile.reset();
    CountAllStars();
    if (FindBest && !StarImage) StarImage = CreateStarImage();
    UpdateArrows();
    PrepareLines();
}

void PNLevelList::PrepareLines() {
    nameImages_.resize(ImageList.size());
    bestImages_.resize(ImageList.size());
    const plat::ImageFontPtr font = plat::GetImageFont();
    int r = 255, g = 255, b = 255;
    plat::GetColor(r, g, b);
    if (auto second = SecondFont()) plat::SetImageFont(second);
    plat::SetColor(255, 255, 255);
    for (size_t slot = 0; slot < ImageList.size(); ++slot)
        nameImages_[slot].Prepare(DisplayName(LevelList[static_cast<size_t>(CurrentPagePosition) + slot]), true);
    pageLineImage_.Prepare(PageLine(), true);
    plat::SetColor(255, 224, 150);
    for (size_t slot = 0; slot < ImageList.size(); ++slot)
        if (SlotBests[slot]) bestImages_[slot].Prepare(std::to_string(SlotBests[slot]->Score), true);
    pageStarsImage_.Prepare(PageStarsLine(), true);
    allStarsImage_.Prepare(AllStarsLine(), true);
    plat::SetColor(r, g, b);
    plat::SetImageFont(font);
}

void PNLevelList::CountAllStars() {
    AllStars = 0;
    if (!FindBest) return;
    for (const std::string& name : LevelList)
        if (const TPersonalBest* best = FindBest(CompletionKey(LevelPath(name)))) AllStars += best->Stars;
}

std::string PNLevelList::PageStarsLine() const {
    if (!FindBest || PageStarsText.empty() || PageItems() == 0) return {};
    return FillIn(FillIn(PageStarsText, "NNN", std::to_string(PageStars)), "MMM", std::to_string(PageItems() * MAX_STARS));
}

std::string PNLevelList::AllStarsLine() const {
    if (!FindBest || AllStarsText.empty() || LevelList.empty()) return {};
    return FillIn(FillIn(AllStarsText, "NNN", std::to_string(AllStars)), "MMM", std::to_string(LevelCount() * MAX_STARS));
}

bool PNLevelList::CheckLevelCompleted(const std::string& file) {
    // Only ever read here: the list belongs to the game's finishing code.
    if (!CompletedIniFile) {
        bool damaged = false;
        CompletedIniFile = ReadCompletionList(LevelCompletedPath + plat::FileNameOf(LevelCompletedFile) + ".ini", damaged);
        if (damaged) CompletionListDamaged = true;
    }
    const std::string key = IniUpper(CompletionKey(file));
    return std::any_of(CompletedIniFile->begin(), CompletedIniFile->end(),
                       [&key](const TCompletionEntry& e) { return IniUpper(e.Key) == key && e.Value == "1"; });
}

void PNLevelList::CreateMenu() {
    NavigationMenu = TMenu::Create("buttonMO", "buttonclick", 0, 0, 0);
    for (const char* name : {"arrowLeft", "arrowRight"}) NavigationMenu->AddQuick(name, name);
    NavigationMenu->MakeRow(ARROW_GAP);
    NavigationMenu->SetY(ARROW_Y);
    for (const auto& arrow : NavigationMenu->Buttons) arrow->ClickDisabled = 0;
    NavigationMenu->ManageNoSound();
    UpdateArrows();
}

// ---- per update ------------------------------------------------------------------------------

void PNLevelList::Manage() {
    ManageMenu();
    ManageGlowAnimation();
    ManageLevels();
    ManageKeyboard();
}

void PNLevelList::ManageMenu() {
    if (!NavigationMenu) return;
    NavigationMenu->Manage();
    if (NavigationMenu->Clicked("arrowLeft")) MoveLeft();
    if (NavigationMenu->Clicked("arrowRight")) MoveRight();
}

void PNLevelList::ManageGlowAnimation() {
    GlowCounter.Manage();
    Glow = 0.5f * std::fabs(GlowCounter.ratio);
}

void PNLevelList::SelectSlot(int slot) {
    const int index = CurrentPagePosition + slot;
    if (slot < 0 || slot >= PageItems() || index >= LevelCount()) return;
    CurrentLevelID = slot;
    CurrentLevel = LevelList[static_cast<size_t>(index)];
}

void PNLevelList::ManageLevels() {
    StartLevel = 0;
    if (LevelList.empty()) return;
    const auto& mouse = Game().Mouse;
    const PNMouse& clicks = PNMouseObject();
    for (int slot = 0; slot < PageItems(); ++slot) {
        const bool over = std::fabs(static_cast<float>(mouse.x) - SlotX(slot)) <= SLOT_HALF_W &&
                          std::fabs(static_cast<float>(mouse.y) - SlotY(slot)) <= SLOT_HALF_H;
        if (!over) continue;
        if (clicks.LeftClick()) SelectSlot(slot);
        if (clicks.DoubleClick()) StartLevel = 1;
    }
}

void PNLevelList::ManageKeyboard() {
    if (LevelList.empty()) return;
    const int last = NumLevelItems - 1;
    if (KeyHit(plat::KEY_UP) && CurrentLevelID >= NumLevelItems / 2) SelectSlot(CurrentLevelID - NumLevelItems / 2);
    if (KeyHit(plat::KEY_DOWN) && CurrentLevelID < NumLevelItems / 2) SelectSlot(CurrentLevelID + NumLevelItems / 2);
    if (KeyHit(plat::KEY_LEFT)) {
        if (CurrentLevelID > 0) {
            SelectSlot(CurrentLevelID - 1);
        } else {
            const int page = CurrentPagePosition;
            MoveLeft();
            if (CurrentPagePosition != page) SelectSlot(std::min(last, PageItems() - 1));
        }
    }
    if (KeyHit(plat::KEY_RIGHT)) {
        if (CurrentLevelID >= last) {
            const int page = CurrentPagePosition;
            MoveRight();
            if (CurrentPagePosition == page) SelectSlot(last);
        } else {
            SelectSlot(CurrentLevelID + 1);
        }
    }
}

void PNLevelList::MoveLeft() {
    if (LevelList.empty()) return;
    const int page = CurrentPagePosition;
    CurrentPagePosition = std::max(CurrentPagePosition - NumLevelItems, 0);
    if (CurrentPagePosition != page) CreateImages(0);
    SelectSlot(0);
}

void PNLevelList::MoveRight() {
    if (LevelList.empty()) return;
    const int page = CurrentPagePosition;
    const int lastStart = LevelCount() - NumLevelItems;
    CurrentPagePosition = std::max(CurrentPagePosition + NumLevelItems < lastStart ? CurrentPagePosition + NumLevelItems
                                                                                   : lastStart,
                                   0);
    if (CurrentPagePosition != page) CreateImages(0);
    SelectSlot(0);
}

bool PNLevelList::CanStartSelected() const {
    const int index = CurrentPagePosition + CurrentLevelID;
    if (CurrentLevel.empty() || index < 0 || index >= LevelCount() || CurrentLevelID >= PageItems()) return false;
    return LevelList[static_cast<size_t>(index)] == CurrentLevel;
}

std::string PNLevelList::DisplayName(const std::string& name) const {
    if (!TrimLevelTextZeros) return name;
    const auto first = name.find_first_not_of('0');
    return first == std::string::npos ? (name.empty() ? name : "0") : name.substr(first);
}

float PNLevelList::SlotX(int slot) { return SLOT_X[static_cast<size_t>(slot % 4)]; }

float PNLevelList::SlotY(int slot) { return SLOT_Y[static_cast<size_t>(slot / 4 % 2)]; }

// ---- drawing ---------------------------------------------------------------------------------

void PNLevelList::Draw() {
    DrawLevels();
    DrawMenu();
}

void PNLevelList::DrawMenu() {
    if (NavigationMenu) NavigationMenu->Draw(0, 0);
    if (auto font = SecondFont()) plat::SetImageFont(font);
    DrawStarTotals();
    const std::string page = PageLine();
    if (page.empty()) return;
    pageLineImage_.Draw(page, static_cast<float>(ScreenWidth) / 2, PAGE_LINE_Y, true, ALIGN_CENTRE);
}

void PNLevelList::DrawSlot(int slot) {
    const float x = SlotX(slot), y = SlotY(slot);
    const bool selected = slot == CurrentLevelID;
    plat::SetBlend(plat::ALPHABLEND);
    if (selected) {
        DrawBankImage("levelhighlight", x, y);
        plat::SetBlend(plat::LIGHTBLEND);
        const int grey = static_cast<int>(255.0f * Glow);
        plat::SetColor(grey, grey, grey);
        DrawBankImage("levelhighlight", x, y);
        plat::SetBlend(plat::ALPHABLEND);
        plat::SetColor(255, 255, 255);
    } else {
        DrawBankImage("levelback", x, y);
    }
    const auto& thumbnail = ImageList[static_cast<size_t>(slot)];
    if (auto font = SecondFont()) plat::SetImageFont(font);
    if (thumbnail) {
        plat::DrawImage(*thumbnail, x + static_cast<float>(DrawOffsetX), y + static_cast<float>(DrawOffsetY));
    } else {
        plat::SetColor(255, 120, 100);
        unreadableImage_.Draw(UnreadableText, x, y, true, ALIGN_CENTRE);
        plat::SetColor(255, 255, 255);
    }
    if (SlotBests[static_cast<size_t>(slot)])
        DrawBest(slot, x, y);
    else if (LevelCompletedList[static_cast<size_t>(slot)] == "1")
        DrawBankImage("check", x + CHECK_X, y + CHECK_Y);
    const std::string& name = LevelList[static_cast<size_t>(CurrentPagePosition + slot)];
    nameImages_[static_cast<size_t>(slot)].Draw(DisplayName(name), x, y - NAME_ABOVE, true, ALIGN_CENTRE);
    if (selected && !LevelSizeText.empty() && thumbnail)
        sizeImage_.Draw(LevelSizeText + ": " + LevelSizeList[static_cast<size_t>(slot)],
                        static_cast<float>(ScreenWidth) / 2, SIZE_CAPTION_Y, true, ALIGN_CENTRE);
}

// The stars right of the name, the best score left of it.
void PNLevelList::DrawBest(int slot, float x, float y) {
    const TPersonalBest& best = *SlotBests[static_cast<size_t>(slot)];
    if (StarImage)
        plat::DrawImage(*StarImage, x + STARS_RIGHT - STARS_WIDTH, y - NAME_ABOVE + STAR_DROP,
                        std::clamp(best.Stars, 0, MAX_STARS));
    plat::SetColor(255, 224, 150);
    bestImages_[static_cast<size_t>(slot)].Draw(std::to_string(best.Score), x + BEST_LEFT, y - NAME_ABOVE, true,
                                                ALIGN_LEFT);
    plat::SetColor(255, 255, 255);
}

// The page's stars left of the arrows, the whole grid's right of them, in
// the page line's font.
void PNLevelList::DrawStarTotals() {
    const std::string page = PageStarsLine(), all = AllStarsLine();
    if (page.empty() && all.empty()) return;
    const float top = ARROW_Y - STAR_TOTAL_RISE, width = static_cast<float>(ScreenWidth);
    plat::SetColor(255, 224, 150);
    pageStarsImage_.Draw(page, STAR_TOTALS_X, top, true, ALIGN_LEFT);
    allStarsImage_.Draw(all, width - STAR_TOTALS_X, top, true, ALIGN_RIGHT);
    plat::SetColor(255, 255, 255);
}

void PNLevelList::DrawLevels() {
    plat::SetColor(255, 255, 255);
    if (LevelList.empty()) {
        DrawTextLines(NoLevelsText, -1, NO_LEVELS_Y, SecondFont(), true, false, true, ALIGN_CENTRE);
        return;
    }
    for (int slot = 0; slot < PageItems() && CurrentPagePosition + slot < LevelCount(); ++slot) DrawSlot(slot);
}

void PNLevelList::Kill() {
    if (NavigationMenu) NavigationMenu->Kill();
    NavigationMenu.reset();
    ImageList.clear();
    LevelSizeList.clear();
    LevelCompletedList.clear();
    CompletedIniFile.reset();
}
