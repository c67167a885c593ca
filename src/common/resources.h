// Names of the program's own resources; res/quillet.rc uses the same names.
// Pictures are 24-bit bitmaps whose transparent pixels carry the key colour.
#pragma once

#include "common/editor_settings.h"

namespace quillet {

inline constexpr char kAppIconResource[] = "APPICON";               // program icon
inline constexpr char kToolbarImagesResource[] = "TOOLBARIMAGES";   // 16 images of 16 x 16, toolbar order
inline constexpr char kTabIconsResource[] = "TABICONS";             // 3 images of 16 x 16 by source kind
inline constexpr char kTreeImagesResource[] = "TREEIMAGES";         // 8 images of 16 x 16 for the trees and lists
inline constexpr char kPanelCloseResource[] = "PANELCLOSE";         // 11 x 11 close button of the panels
inline constexpr char kQuestionResource[] = "QUESTION";             // 64 x 56 save-changes picture
inline constexpr char kLogoResource[] = "LOGO";                     // 72 x 69 logo of the about box

inline constexpr ColourRef kImageKeyColour = Rgb(255, 0, 255);

}  // namespace quillet
