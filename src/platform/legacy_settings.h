#pragma once
// Names and values the settings file has carried since the game ran on
// Windows. Players' stored settings files hold them, so they keep their
// spelling and numbers although this build has neither DirectX nor a Windows
// sound driver. (The process and thread priority settings are Windows names
// too; the settings table in app/settings_table.cpp carries them through,
// and the platform ignores them.)
// It sits on the lowest floor because the sound layer answers to the names.
namespace legacy {

// "Driver": the drawing back end. A file that still names DirectX 7 is
// switched to OpenGL and written back when the graphics open.
constexpr int DRIVER_DIRECTX7 = 0;
constexpr int DRIVER_OPENGL = 1;

// "Sound Driver": every name but "None" opens the default sound device.
// OpenAL's name is answered once the game has enabled it, and start-up always
// asks for it; a new settings file names it too.
constexpr const char* SOUND_DRIVER_FREEAUDIO = "FreeAudio";
constexpr const char* SOUND_DRIVER_DIRECTSOUND = "DirectSound";
constexpr const char* SOUND_DRIVER_OPENAL = "OpenAL Generic Software";

}  // namespace legacy
