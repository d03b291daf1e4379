#include "appearance/win32/ControlStyles.h"

namespace kestrova {

void ApplySpeedButtonStyle(SpeedButton& button, const ThemePalette& palette)
{
    button.SetColours(SpeedButtonColours{palette.face, palette.buttonHot, palette.buttonDown, palette.text});
}

}  // namespace kestrova
