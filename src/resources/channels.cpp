#include "resources/channels.h"

#include <algorithm>

#include "resources/sound_settings.h"

// ---- TGameChannel ------------------------------------------------------------

std::shared_ptr<TGameChannel> TGameChannel::Create() {
    auto c = std::make_shared<TGameChannel>();
    c->Channel = plat::AllocChannel();
    return c;
}

bool TGameChannel::Playing() const { return Channel && plat::ChannelPlaying(*Channel); }

void TGameChannel::Kill() {
    if (Channel) plat::StopChannel(*Channel);
    Channel.reset();
}

// ---- TChannelArray ------------------------------------------------------------

std::unique_ptr<TChannelArray> TChannelArray::Create(int count) {
    auto array = std::make_unique<TChannelArray>();
    for (int i = 0; i < count; ++i) array->List.push_back(TGameChannel::Create());
    if (!array->List.empty()) array->Current = array->List.front();
    return array;
}

GameChannelPtr TChannelArray::GetChannel() {
    if (List.empty()) return nullptr;
    const auto found = std::find(List.begin(), List.end(), Current);
    // A Current no longer in the pool counts as the last, so the search starts at the first.
    const size_t start = found == List.end() ? List.size() - 1 : static_cast<size_t>(found - List.begin());
    for (size_t step = 1; step <= List.size(); ++step) {
        const GameChannelPtr& c = List[(start + step) % List.size()];
        if (c->Reserved) continue;
        if (c->PlayWhenFinished && c->Playing()) continue;
        Current = c;
        return c;
    }
    return nullptr;
}

GameChannelPtr TChannelArray::PlayGameSound(TGameSound& sound, GameChannelPtr gameChannel, float volume, float pan) {
    if (!gameChannel) gameChannel = GetChannel();
    if (!gameChannel) return nullptr;
    gameChannel->OriginalVolume = volume;
    const float effective = volume * BalanceVolumes(1) * sound.volume;
    SoundSettings().GameSoundPlayAt(gameChannel->Channel, sound, effective, pan);
    return gameChannel;
}

float TChannelArray::BalanceVolumes(int extra) {
    const int n = CountPlaying() + extra;
    const float factor = n <= 0 ? 1.0f : std::min(1.0f, MaxVol / static_cast<float>(n));
    SetVolume(factor);
    return factor;
}

void TChannelArray::SetVolume(float factor) {
    const float sound = static_cast<float>(SoundSettings().SoundVolume) / 100.0f;
    for (const GameChannelPtr& c : List)
        if (c->Channel) plat::SetChannelVolume(*c->Channel, c->OriginalVolume * factor * sound);
}

int TChannelArray::CountPlaying() const {
    return static_cast<int>(std::count_if(List.begin(), List.end(), [](const GameChannelPtr& c) { return c->Playing(); }));
}

GameChannelPtr TChannelArray::ChannelByIndex(int index) const {
    if (index < 1 || index > Count()) return nullptr;
    return List[static_cast<size_t>(index - 1)];
}

void TChannelArray::Kill() {
    for (const GameChannelPtr& c : List) c->Kill();
    List.clear();
    Current.reset();
}

void TChannelArray::StopGameChannel(const GameChannelPtr& gameChannel) {
    if (!gameChannel) return;
    if (gameChannel->Channel) plat::StopChannel(*gameChannel->Channel);
    // A channel from outside the pool is only stopped; the pool keeps its size.
    if (std::erase(List, gameChannel) == 0) return;
    List.push_back(TGameChannel::Create());
    Current = List.back();
}
