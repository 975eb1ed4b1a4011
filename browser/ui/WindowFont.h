#pragma once
// ChooseFont for the windows: the choice of services/FontChoice, asked of this system (the
// default locale's language, the installed font families) and given as a QFont.

#include "services/FontChoice.h"

#include <QFont>

namespace k2k {

// The font every window of the browser uses; previous is the one chosen before (the
// East-Asian cases may keep its face).
FontChoice ChooseWindowFont(const FontChoice& previous = {});

QFont ToQFont(const FontChoice& choice);

} // namespace k2k
