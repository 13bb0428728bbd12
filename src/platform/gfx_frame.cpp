// The frame's drawing, recorded and carried out late: a frame that would
// draw exactly what the screen shows already is neither drawn nor shown, and
// a frame that begins as the frames before it began (a still picture with
// something moving on top) starts from a picture of that beginning kept in a
// texture, drawn once, rather than drawing it all again. With the software
// renderer, whose window keeps its picture, a frame that differs from the one
// shown in a few commands is drawn again only where those commands draw.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/gfx_internal.h"

namespace plat {

namespace {

struct TFrameRecord {
    std::vector<TDrawCommand> commands;
    std::vector<SDL_Vertex> vertices;
    std::vector<int> indices;

    void Clear() {
        commands.clear();
        vertices.clear();
        indices.clear();
    }
    bool operator==(const TFrameRecord& other) const {
        return SameBytes(commands, other.commands) && SameBytes(vertices, other.vertices) &&
               SameBytes(indices, other.indices);
    }
    template <typename T>
    static bool SameBytes(const std::vector<T>& a, const std::vector<T>& b) {
        return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
    }
};

// Whether command i of a and command j of b draw the same: the same bytes,
// and for geometry the same vertices and indices.
bool SameCommand(const TFrameRecord& a, size_t i, const TFrameRecord& b, size_t j) {
    const TDrawCommand& x = a.commands[i];
    const TDrawCommand& y = b.commands[j];
    if (std::memcmp(&x, &y, sizeof(TDrawCommand)) != 0) return false;
    if (x.kind != TDrawCommand::GEOMETRY) return true;
    return std::memcmp(a.vertices.data() + x.first, b.vertices.data() + y.first, size_t(x.count) * sizeof(SDL_Vertex)) ==
               0 &&
           std::memcmp(a.indices.data() + x.firstIndex, b.indices.data() + y.firstIndex,
                       size_t(x.indexCount) * sizeof(int)) == 0;
}

// How many commands a and b begin with alike.
size_t CommonStart(const TFrameRecord& a, const TFrameRecord& b) {
    const size_t n = std::min(a.commands.size(), b.commands.size());
    size_t i = 0;
    while (i < n && SameCommand(a, i, b, i)) ++i;
    return i;
}

// How many commands a and b end with alike, of those after the first skip.
size_t CommonEnd(const TFrameRecord& a, const TFrameRecord& b, size_t skip) {
    const size_t n = std::min(a.commands.size(), b.commands.size()) - skip;
    size_t k = 0;
    while (k < n && SameCommand(a, a.commands.size() - 1 - k, b, b.commands.size() - 1 - k)) ++k;
    return k;
}

struct TClip {
    bool on = false;
    SDL_Rect rect{};
    bool operator==(const TClip& o) const {
        return on == o.on && (!on || (rect.x == o.rect.x && rect.y == o.rect.y && rect.w == o.rect.w && rect.h == o.rect.h));
    }
};

TClip CurrentClip(SDL_Renderer* renderer) {
    TClip clip;
    clip.on = SDL_RenderIsClipEnabled(renderer);
    if (clip.on) SDL_RenderGetClipRect(renderer, &clip.rect);
    return clip;
}

void ApplyClip(SDL_Renderer* renderer, const TClip& clip) { SDL_RenderSetClipRect(renderer, clip.on ? &clip.rect : nullptr); }

// The picture of the commands that the last frames began with alike.
struct TStillStart {
    // Fewer commands than this are drawn faster than the picture is copied.
    static constexpr size_t WORTH = 64;
    // Nor is a beginning that stays for fewer shown frames than this worth
    // the picture's memory and its drawing (a pointer's short trail, a light
    // moving over a board a step every few frames).
    static constexpr int STEADY = 60;
    // Frames (five seconds) without drawing it after which a large picture's
    // texture goes when a still picture is made.
    static constexpr uint64_t UNDRAWN = 300;
    SDL_Texture* texture = nullptr;
    int generation = -1;
    TFrameRecord record;       // the commands it shows carried out (the rest of a frame follows them)
    TClip clipBefore, clipAfter;
    size_t lastCommon = 0;     // how many the last two frames began with alike
    int steadyFrames = 0;      // shown frames in a row since that number last changed
    // The software renderer keeps the window's picture between frames: while
    // it shows the still picture with the rest of the last frame drawn over
    // it, only where that rest drew needs the still picture again.
    bool onScreen = false;
    std::vector<SDL_Rect> drawnOver;

    SDL_Texture* Live() const { return texture && generation == Gfx().generation ? texture : nullptr; }
    // Lets go of the picture too: it takes as much memory as the screen.
    void Forget() {
        record.Clear();
        onScreen = false;
        if (Live()) SDL_DestroyTexture(texture);
        texture = nullptr;
    }
};

// Where a command may draw, a pixel wider all round for rounding, within
// the screen; empty for none.
SDL_Rect DrawnBounds(const TFrameRecord& record, const TDrawCommand& c) {
    float x0 = LOGICAL_WIDTH, y0 = LOGICAL_HEIGHT, x1 = 0, y1 = 0;
    const auto take = [&](float x, float y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    };
    switch (c.kind) {
        case TDrawCommand::CLEAR:
            take(0, 0);
            take(LOGICAL_WIDTH, LOGICAL_HEIGHT);
            break;
        case TDrawCommand::CLIP:
            break;
        case TDrawCommand::COPY_EX:
            if (c.angle != 0) {
                const double turn = c.angle * 3.14159265358979323846 / 180.0;
                const double cosA = std::cos(turn), sinA = std::sin(turn);
                const double px = c.dst.x + c.centre.x, py = c.dst.y + c.centre.y;
                for (const float cx : {c.dst.x, c.dst.x + c.dst.w})
                    for (const float cy : {c.dst.y, c.dst.y + c.dst.h})
                        take(float(px + (cx - px) * cosA - (cy - py) * sinA),
                             float(py + (cx - px) * sinA + (cy - py) * cosA));
                break;
            }
            [[fallthrough]];
        case TDrawCommand::COPY:
        case TDrawCommand::FILL_RECT:
            take(c.dst.x, c.dst.y);
            take(c.dst.x + c.dst.w, c.dst.y + c.dst.h);
            break;
        case TDrawCommand::LINE:
            take(c.dst.x, c.dst.y);
            take(c.dst.w, c.dst.h);
            break;
        case TDrawCommand::POINT:
            take(c.dst.x, c.dst.y);
            break;
        case TDrawCommand::GEOMETRY:
            for (int v = c.first; v < c.first + c.count; ++v)
                take(record.vertices[size_t(v)].position.x, record.vertices[size_t(v)].position.y);
            break;
    }
    SDL_Rect r{};
    r.x = std::max(0, int(std::floor(x0)) - 1);
    r.y = std::max(0, int(std::floor(y0)) - 1);
    r.w = std::min(LOGICAL_WIDTH, int(std::ceil(x1)) + 2) - r.x;
    r.h = std::min(LOGICAL_HEIGHT, int(std::ceil(y1)) + 2) - r.y;
    if (r.w <= 0 || r.h <= 0) r = {0, 0, 0, 0};
    return r;
}

// Makes the box one of the areas, with every area it meets.
void Absorb(std::vector<SDL_Rect>& areas, SDL_Rect box) {
    for (auto it = areas.begin(); it != areas.end();) {
        if (SDL_HasIntersection(&box, &*it)) {
            SDL_UnionRect(&box, &*it, &box);
            areas.erase(it);
            it = areas.begin();
        } else {
            ++it;
        }
    }
    areas.push_back(box);
}

// The areas the commands from first on may draw in: each command's, those
// that meet made one, and all made one past a handful.
std::vector<SDL_Rect> DrawnAreas(const TFrameRecord& record, size_t first) {
    constexpr size_t MOST = 16;
    std::vector<SDL_Rect> areas;
    for (size_t i = first; i < record.commands.size(); ++i) {
        SDL_Rect r = DrawnBounds(record, record.commands[i]);
        if (r.w <= 0) continue;
        Absorb(areas, r);
        if (areas.size() > MOST) {
            for (const SDL_Rect& other : areas) SDL_UnionRect(&r, &other, &r);
            areas.assign(1, r);
        }
    }
    return areas;
}

struct TFrames {
    TFrameRecord current, shown;
    size_t done = 0;            // commands of the current frame carried out already
    bool afterStill = false;    // the commands before done came as the still picture
    bool changed = true;        // textures or the window changed since the shown frame
    TStillStart still;
    uint64_t drawnInPart = 0;   // frames drawn again only where they changed
};

TFrames& Frames() {
    static TFrames frames;
    return frames;
}

// Sets a texture's colour, alpha and blend mode unless the command before
// used the same texture with the same ones (the glyphs of a text).
void PrepareTexture(const TDrawCommand& c, const TDrawCommand* before) {
    if (before && before->texture == c.texture &&
        (before->kind == TDrawCommand::COPY || before->kind == TDrawCommand::COPY_EX) && before->r == c.r &&
        before->g == c.g && before->b == c.b && before->a == c.a && before->blend == c.blend)
        return;
    SDL_SetTextureColorMod(c.texture, c.r, c.g, c.b);
    SDL_SetTextureAlphaMod(c.texture, c.a);
    SDL_SetTextureBlendMode(c.texture, c.blend);
}

void Carry(SDL_Renderer* renderer, const TDrawCommand& c, const TDrawCommand* before, const TFrameRecord& record) {
    switch (c.kind) {
        case TDrawCommand::CLEAR:
            SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, 255);
            SDL_RenderClear(renderer);
            break;
        case TDrawCommand::CLIP:
            SDL_RenderSetClipRect(renderer, c.src.w < 0 ? nullptr : &c.src);
            break;
        case TDrawCommand::COPY:
        case TDrawCommand::COPY_EX:
            // Set even for light we add ourselves: the next copy may count on it.
            PrepareTexture(c, before);
            if (c.blend == SDL_BLENDMODE_ADD && AddOntoWindow(renderer, c)) break;
            if (c.kind == TDrawCommand::COPY)
                SDL_RenderCopyF(renderer, c.texture, &c.src, &c.dst);
            else
                SDL_RenderCopyExF(renderer, c.texture, &c.src, &c.dst, c.angle, &c.centre, SDL_RendererFlip(c.flip));
            break;
        case TDrawCommand::FILL_RECT:
        case TDrawCommand::LINE:
        case TDrawCommand::POINT:
            SDL_SetRenderDrawBlendMode(renderer, c.blend);
            SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
            if (c.kind == TDrawCommand::FILL_RECT) SDL_RenderFillRectF(renderer, &c.dst);
            if (c.kind == TDrawCommand::LINE) SDL_RenderDrawLineF(renderer, c.dst.x, c.dst.y, c.dst.w, c.dst.h);
            if (c.kind == TDrawCommand::POINT) SDL_RenderDrawPointF(renderer, c.dst.x, c.dst.y);
            break;
        case TDrawCommand::GEOMETRY:
            SDL_SetRenderDrawBlendMode(renderer, c.blend);
            SDL_RenderGeometry(renderer, nullptr, record.vertices.data() + c.first, c.count,
                               record.indices.data() + c.firstIndex, c.indexCount);
            break;
    }
}

// ---- drawing a frame again only where it changed ---------------------------------

// Whether SDL draws the command alike inside a clip and without one: copies
// at their own size, filled rectangles and points. Scaled, turned or shaped
// drawing may take other pixels along a clip's edge.
bool ClipsAlike(const TDrawCommand& c) {
    switch (c.kind) {
        case TDrawCommand::COPY:
            return int(c.dst.w) == c.src.w && int(c.dst.h) == c.src.h;
        case TDrawCommand::CLEAR:
        case TDrawCommand::CLIP:
        case TDrawCommand::FILL_RECT:
        case TDrawCommand::POINT:
            return true;
        default:
            return false;
    }
}

bool Contains(const SDL_Rect& outer, const SDL_Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

// A clip as SDL takes it: an empty rectangle is none.
TClip ClipOf(const TDrawCommand& c) { return {c.src.w > 0 && c.src.h > 0, c.src}; }

// The screen in tiles, marked where a frame is drawn again; given as
// rectangles that do not overlap, so that no pixel is drawn over twice.
class TDamage {
public:
    void Mark(const SDL_Rect& r) { ForTiles(r, [this](int tile) { tiles_[size_t(tile)] = true; }); }
    // Each row's runs of marked tiles; a run of the same columns as one on
    // the row above lengthens that one.
    std::vector<SDL_Rect> Areas() const {
        std::vector<SDL_Rect> areas;
        std::vector<size_t> above, here;
        for (int ty = 0; ty < ROWS; ++ty) {
            here.clear();
            for (int tx = 0; tx < COLUMNS;) {
                if (!tiles_[size_t(ty * COLUMNS + tx)]) {
                    ++tx;
                    continue;
                }
                const int first = tx;
                while (tx < COLUMNS && tiles_[size_t(ty * COLUMNS + tx)]) ++tx;
                const SDL_Rect run{first * TILE, ty * TILE, (tx - first) * TILE, TILE};
                const auto same = std::find_if(above.begin(), above.end(), [&](size_t a) {
                    return areas[a].x == run.x && areas[a].w == run.w;
                });
                if (same != above.end()) {
                    areas[*same].h += TILE;
                    here.push_back(*same);
                } else {
                    areas.push_back(run);
                    here.push_back(areas.size() - 1);
                }
            }
            std::swap(above, here);
        }
        return areas;
    }

private:
    static constexpr int TILE = 8, COLUMNS = LOGICAL_WIDTH / TILE, ROWS = LOGICAL_HEIGHT / TILE;
    std::array<bool, size_t(COLUMNS * ROWS)> tiles_{};

    template <typename Visit>
    static void ForTiles(const SDL_Rect& r, Visit visit) {
        if (r.w <= 0 || r.h <= 0) return;
        const int right = std::min(COLUMNS - 1, (r.x + r.w - 1) / TILE);
        const int bottom = std::min(ROWS - 1, (r.y + r.h - 1) / TILE);
        for (int ty = r.y / TILE; ty <= bottom; ++ty)
            for (int tx = r.x / TILE; tx <= right; ++tx) visit(ty * COLUMNS + tx);
    }
};

// Marks where a frame's commands from start up to its last end draw, and
// answers the clip in force after them, given the one before them.
TClip MarkChanges(const TFrameRecord& record, size_t start, size_t end, TClip clip, TDamage& damage) {
    for (size_t i = start; i + end < record.commands.size(); ++i) {
        const TDrawCommand& c = record.commands[i];
        if (c.kind == TDrawCommand::CLIP)
            clip = ClipOf(c);
        else
            damage.Mark(DrawnBounds(record, c));
    }
    return clip;
}

bool Meets(const std::vector<SDL_Rect>& areas, const SDL_Rect& r) {
    return std::any_of(areas.begin(), areas.end(), [&r](const SDL_Rect& a) { return SDL_HasIntersection(&a, &r); });
}

// The rectangles to draw the frame again in: the changes, grown until each
// scaled or turned command that meets them lies wholly inside one. None
// when they come to cover half the screen, where drawing it whole costs no
// more.
std::optional<std::vector<SDL_Rect>> ChangedAreas(const TDamage& damage, const std::vector<TDrawCommand>& commands,
                                                  const std::vector<SDL_Rect>& bounds) {
    std::vector<SDL_Rect> areas = damage.Areas();
    for (bool grew = true; grew;) {
        grew = false;
        for (size_t i = 0; i < commands.size(); ++i) {
            const SDL_Rect& b = bounds[i];
            if (ClipsAlike(commands[i]) || !Meets(areas, b) ||
                std::any_of(areas.begin(), areas.end(), [&b](const SDL_Rect& a) { return Contains(a, b); }))
                continue;
            Absorb(areas, b);
            grew = true;
        }
    }
    long covered = 0;
    for (const SDL_Rect& a : areas) covered += long(a.w) * a.h;
    if (covered * 2 > long(LOGICAL_WIDTH) * LOGICAL_HEIGHT) return std::nullopt;
    return areas;
}

// Carries out the frame's commands within the area only, from the clip in
// force before the frame.
void CarryWithin(SDL_Renderer* renderer, const TFrameRecord& record, const std::vector<SDL_Rect>& bounds,
                 const SDL_Rect& area, TClip clip) {
    SDL_Rect within{};
    const auto restrict = [&] {
        within = area;
        if (clip.on && !SDL_IntersectRect(&clip.rect, &area, &within)) within = {0, 0, 0, 0};
        if (within.w > 0) SDL_RenderSetClipRect(renderer, &within);
    };
    restrict();
    const auto& commands = record.commands;
    for (size_t i = 0; i < commands.size(); ++i) {
        const TDrawCommand& c = commands[i];
        if (c.kind == TDrawCommand::CLIP) {
            clip = ClipOf(c);
            restrict();
        } else if (within.w > 0 && SDL_HasIntersection(&bounds[i], &within)) {
            if (c.kind != TDrawCommand::CLEAR) {
                Carry(renderer, c, nullptr, record);
                continue;
            }
            // A clear fills the whole screen whatever the clip.
            SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
            SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, 255);
            SDL_RenderFillRect(renderer, &within);
        }
    }
}

// With the window keeping the shown frame's picture: draws the frame again
// only where the commands between the beginning and the end it has alike
// with the shown one draw, in either frame. False, with nothing drawn,
// where that would not be cheaper or might not show what drawing it whole
// shows.
bool RedrawWhereChanged(TFrames& f) {
    SDL_Renderer* renderer = Renderer();
    if (!SoftwareRenderer(renderer) || !DrawsOneToOne(renderer)) return false;
    const size_t start = CommonStart(f.current, f.shown);
    const size_t end = CommonEnd(f.current, f.shown, start);
    const auto& commands = f.current.commands;
    const TClip before = CurrentClip(renderer);
    TClip common = before;
    for (size_t i = 0; i < start; ++i)
        if (commands[i].kind == TDrawCommand::CLIP) common = ClipOf(commands[i]);
    // The commands the two end with alike must draw within the same clip.
    TDamage damage;
    if (!(MarkChanges(f.current, start, end, common, damage) == MarkChanges(f.shown, start, end, common, damage)))
        return false;
    std::vector<SDL_Rect> bounds(commands.size());
    for (size_t i = 0; i < commands.size(); ++i) bounds[i] = DrawnBounds(f.current, commands[i]);
    const auto areas = ChangedAreas(damage, commands, bounds);
    if (!areas) return false;
    TClip after = before;
    for (const TDrawCommand& c : commands)
        if (c.kind == TDrawCommand::CLIP) after = ClipOf(c);
    for (const SDL_Rect& area : *areas) CarryWithin(renderer, f.current, bounds, area, before);
    ApplyClip(renderer, after);
    f.done = commands.size();
    return true;
}

// Before a frame is carried out: when it begins as the still picture does,
// the picture is copied to the screen in place of its commands; when it
// begins as the frame before began, as that one began as the one before it,
// that beginning is drawn into the still picture first. Only where the
// renderer draws the logical picture one to one into the window. False
// when the frame does not start from the still picture.
bool StartFromStill(TFrames& f) {
    SDL_Renderer* renderer = Renderer();
    TStillStart& still = f.still;
    if (!DrawsOneToOne(renderer)) {
        still.Forget();
        return false;
    }
    const TClip clip = CurrentClip(renderer);
    const size_t count = f.current.commands.size();
    const size_t common = CommonStart(f.current, f.shown);
    still.steadyFrames = common == still.lastCommon ? still.steadyFrames + 1 : 0;
    still.lastCommon = common;
    const bool worth = still.steadyFrames >= TStillStart::STEADY && common >= TStillStart::WORTH && common < count;
    const size_t held = still.record.commands.size();
    const bool holds = held > 0 && still.Live() && clip == still.clipBefore && held <= count &&
                       CommonStart(f.current, still.record) == held;
    // A longer beginning has come to rest: the picture is made again for it.
    if (holds && !(worth && common > held)) {
        SDL_SetTextureBlendMode(still.texture, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(still.texture, 255, 255, 255);
        SDL_SetTextureAlphaMod(still.texture, 255);
        SDL_RenderSetClipRect(renderer, nullptr);
        if (!still.onScreen || !SoftwareRenderer(renderer))
            SDL_RenderCopy(renderer, still.texture, nullptr, nullptr);
        else
            for (const SDL_Rect& area : still.drawnOver) SDL_RenderCopy(renderer, still.texture, &area, &area);
        ApplyClip(renderer, still.clipAfter);
        still.drawnOver = DrawnAreas(f.current, held);
        f.done = held;
        f.afterStill = true;
        return true;
    }
    still.Forget();
    if (!worth) return false;
    if (!still.Live()) {
        // The picture takes the place of large pictures the frames have not
        // drawn for a while (a background under a composed board, drawn only
        // when the board is composed again): their textures go first.
        if (Gfx().frame > TStillStart::UNDRAWN) LetGoOfLargeTexturesUndrawnSince(Gfx().frame - TStillStart::UNDRAWN);
        still.texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, LOGICAL_WIDTH,
                                          LOGICAL_HEIGHT);
        still.generation = Gfx().generation;
        if (!still.texture) return false;
    }
    if (SDL_SetRenderTarget(renderer, still.texture) != 0) return false;
    ApplyClip(renderer, clip);
    const auto& commands = f.current.commands;
    for (size_t i = 0; i < common; ++i) Carry(renderer, commands[i], i > 0 ? &commands[i - 1] : nullptr, f.current);
    const TClip after = CurrentClip(renderer);
    SDL_SetRenderTarget(renderer, nullptr);
    still.clipBefore = clip;
    still.clipAfter = after;
    still.record.commands.assign(commands.begin(), commands.begin() + std::ptrdiff_t(common));
    still.record.vertices = f.current.vertices;
    still.record.indices = f.current.indices;
    // Shown at once as the frames after it will show it.
    f.done = 0;
    return StartFromStill(f);
}

}  // namespace

// The window's picture outlives the frame with the software renderer only.
bool SoftwareRenderer(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    return SDL_GetRendererInfo(renderer, &info) == 0 && info.name && std::strcmp(info.name, "software") == 0;
}

bool DrawsOneToOne(SDL_Renderer* renderer) {
    float scaleX = 1, scaleY = 1;
    SDL_RenderGetScale(renderer, &scaleX, &scaleY);
    SDL_Rect view;
    SDL_RenderGetViewport(renderer, &view);
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer, &outW, &outH);
    return scaleX == 1 && scaleY == 1 && view.x == 0 && view.y == 0 && outW == LOGICAL_WIDTH &&
           outH == LOGICAL_HEIGHT && !SDL_GetRenderTarget(renderer);
}

TDrawCommand::TDrawCommand(Kind what) {
    // Whole bytes, padding too: frames are compared byte for byte.
    std::memset(static_cast<void*>(this), 0, sizeof(*this));
    kind = what;
}

void RecordCommand(const TDrawCommand& command) {
    if (Renderer()) Frames().current.commands.push_back(command);
}

void RecordGeometry(TDrawCommand command, const std::vector<SDL_Vertex>& vertices, const std::vector<int>& indices) {
    if (!Renderer()) return;
    TFrameRecord& record = Frames().current;
    command.first = int(record.vertices.size());
    command.count = int(vertices.size());
    command.firstIndex = int(record.indices.size());
    command.indexCount = int(indices.size());
    record.vertices.insert(record.vertices.end(), vertices.begin(), vertices.end());
    record.indices.insert(record.indices.end(), indices.begin(), indices.end());
    record.commands.push_back(command);
}

void FlushDrawing() {
    TFrames& f = Frames();
    SDL_Renderer* renderer = Renderer();
    if (!renderer) return;
    const auto& commands = f.current.commands;
    for (; f.done < commands.size(); ++f.done) {
        // The textures' colours were last set by other frames after the still picture.
        const bool knownBefore = f.done > 0 && !(f.afterStill && f.done == f.still.record.commands.size());
        Carry(renderer, commands[f.done], knownBefore ? &commands[f.done - 1] : nullptr, f.current);
    }
}

void ContentChanged() {
    FlushDrawing();
    Frames().changed = true;
}

bool FinishFrame() {
    TFrames& f = Frames();
    const bool same = !f.changed && f.done == 0 && f.current == f.shown;
    if (!same) {
        // A still picture is drawn once the frames begin alike for long
        // enough; until then, or while the beginning changes, only the changes.
        if (f.changed || f.done > 0)
            f.still.Forget();
        else if (!StartFromStill(f) && RedrawWhereChanged(f))
            ++f.drawnInPart;
        f.still.onScreen = f.afterStill;
        FlushDrawing();
    }
    std::swap(f.shown, f.current);
    f.current.Clear();
    f.done = 0;
    f.afterStill = false;
    f.changed = false;
    return !same;
}

void LetGoOfStillPicture() { Frames().still.Forget(); }

uint64_t FramesDrawnInPart() { return Frames().drawnInPart; }

void ResetFrames() {
    TFrames& f = Frames();
    f.still.Forget();
    f.still.lastCommon = 0;
    f.still.steadyFrames = 0;
    f.current.Clear();
    f.shown.Clear();
    f.done = 0;
    f.changed = true;
}

}  // namespace plat
