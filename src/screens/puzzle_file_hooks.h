#pragma once
// Start-up: plugs the layout reader (PuzzleHooks().LoadLayout) and the burst
// of a cleared gem (PuzzleHooks().CreateCellEffect, from the effects that
// LoadParticleEffects read) into the puzzle engine.
void InstallPuzzleFileHooks();
