#include "resources/sound_settings.h"

#include "resources/channels.h"

TSoundSettings::TSoundSettings() = default;
TSoundSettings::~TSoundSettings() = default;
