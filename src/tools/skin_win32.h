// The optional window skin: a skinning library beside the program that, once
// attached, draws every window of the process in its own look.
#pragma once

namespace quillet {

inline constexpr char kSkinLibraryName[] = "SkinH_EL.dll";

// Loads the library from the program's own folder and calls its SkinH_Attach
// once. True when the entry was called; a missing library or entry is no
// error: the program keeps the system look.
bool AttachSkin();

}  // namespace quillet
