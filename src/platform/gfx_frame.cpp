// The frame's drawing, recorded and carried out late: a frame that would
// draw exactly what the screen shows already is neither drawn nor shown.
#include <cstring>

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

struct TFrames {
    TFrameRecord current, shown;
    size_t done = 0;            // commands of the current frame carried out already
    bool changed = true;        // textures or the window changed since the shown frame
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
            PrepareTexture(c, before);
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

}  // namespace

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
    for (; f.done < commands.size(); ++f.done)
        Carry(renderer, commands[f.done], f.done > 0 ? &commands[f.done - 1] : nullptr, f.current);
}

void ContentChanged() {
    FlushDrawing();
    Frames().changed = true;
}

bool FinishFrame() {
    TFrames& f = Frames();
    const bool same = !f.changed && f.done == 0 && f.current == f.shown;
    if (!same) FlushDrawing();
    std::swap(f.shown, f.current);
    f.current.Clear();
    f.done = 0;
    f.changed = false;
    return !same;
}

void ResetFrames() {
    TFrames& f = Frames();
    f.current.Clear();
    f.shown.Clear();
    f.done = 0;
    f.changed = true;
}

}  // namespace plat
