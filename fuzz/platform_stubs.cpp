// The archive reader's decoders for images, fonts and sounds are never reached
// by the fuzz target; these stand-ins keep it free of SDL, FreeType and OpenAL.
#include "platform/audio.h"
#include "platform/graphics.h"

namespace plat {
PixmapPtr LoadPixmapFromMemory(const std::vector<uint8_t>&) { return nullptr; }
ImagePtr LoadImageFromMemory(const std::vector<uint8_t>&, int) { return nullptr; }
ImagePtr LoadAnimImageFromPixmap(const TPixmap&, int, int, int, int, int) { return nullptr; }
ImageFontPtr LoadImageFontFromMemory(std::shared_ptr<const std::vector<uint8_t>>, int, int) { return nullptr; }
SoundPtr LoadSoundFromMemory(const std::vector<uint8_t>&, int) { return nullptr; }
}  // namespace plat
