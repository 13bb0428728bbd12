#pragma once
// The game's screens by role, so that a screen can lead to another without
// knowing its class. Each role answers the one instance of its screen.
class TScreen;

enum class EGameScreen { Title, Play, Help, Options, HighScore, Game };

TScreen& ScreenFor(EGameScreen role);
