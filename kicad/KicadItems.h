#pragma once
// The reading of items common to the open-source EDA tool's library formats: the first list
// of a keyword, atoms and numbers at a place of a list, points, the "hide" flag, a text's effects.
// A reader throws Unreadable where an item it needs is missing or no number; the object being read
// is then left out with that problem, at the line of the item that says so.

#include "kicad/KicadSymbols.h"
#include "kicad/SExpression.h"

#include <optional>
#include <string>
#include <string_view>

namespace k2k::kicad {

struct Unreadable {
    std::size_t line;
    std::string problem;
};

// A source text as a message shows it: quoted, cut short when it is long.
std::string Shown(std::string_view text);

// The first item of a list that is itself a list with the given keyword.
std::optional<SNode> Find(SNode list, std::string_view head);
// The same, which the object cannot do without.
SNode Need(SNode list, std::string_view head, std::string_view what);

// Item i of a list as a text, and as a number; the list must hold it.
std::string_view AtomAt(SNode list, std::size_t i, std::string_view what);
std::string TextAt(SNode list, std::size_t i, std::string_view what);
Decimal NumberAt(SNode list, std::size_t i, std::string_view what);
// Items 1 and 2 of a list, (at X Y) or (xy X Y).
Point PointOf(SNode list, std::string_view what);

// The place of an item, (at X Y [ANGLE]): its point, and into angle the angle it gives.
// Pins must give one; elsewhere "unlocked" may stand in its place (footprints), or not.
enum class AngleRule { Needed, Optional, OptionalOrUnlocked };
Point PlaceOf(SNode item, std::string_view what, Decimal& angle, AngleRule rule);

// "hide" as a bare word, or (hide yes) as later versions write it.
bool Hidden(SNode list);

// The font height and the justification of a text's (effects ...); what it does not say
// is left as it is.
void ReadTextEffects(SNode effects, Decimal& height, Justify& horizontal, Justify& vertical,
                     std::string_view what);

} // namespace k2k::kicad
