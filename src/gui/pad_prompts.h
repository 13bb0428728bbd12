#pragma once
// Texts that name keys, worded for what the player used last. A text whose
// key has " Pad" after it names a pad's buttons by marks, {A} {B} {X} {Y}
// {BACK} {START} {LB} {RB} {LT} {RT} {LS} {RS}, which take the names the
// pad's kind prints on its buttons ("Pad Buttons Xbox" and its kin, in the
// language shown). With the keyboard last, or no pad wording, the text is
// the key's own.
#include <string>

#include "platform/gamepad.h"

std::string DeviceText(const std::string& key);
// The marks of the text filled in with the button names of the kind.
std::string PadWords(std::string text, plat::PadKind kind);
