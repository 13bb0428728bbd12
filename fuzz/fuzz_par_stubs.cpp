// The drawing calls of the emitters, for the ".par" fuzz target: it runs the
// emitters without a particle strip, so nothing is drawn; these keep it free
// of SDL.
#include "platform/graphics.h"

namespace plat {
ImagePtr LoadAnimImage(const std::string&, int, int, int, int, int) { return nullptr; }
void MidHandleImage(TImage&) {}
void DrawImage(TImage&, float, float, int) {}
void SetColor(int, int, int) {}
void GetColor(int& r, int& g, int& b) { r = g = b = 255; }
void SetAlpha(float) {}
float GetAlpha() { return 1.0f; }
void SetBlend(int) {}
int GetBlend() { return ALPHABLEND; }
void SetRotation(float) {}
float GetRotation() { return 0; }
void SetScale(float, float) {}
void GetScale(float& sx, float& sy) { sx = sy = 1.0f; }
}  // namespace plat
