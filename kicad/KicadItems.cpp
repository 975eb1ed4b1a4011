#include "kicad/KicadItems.h"

namespace k2k::kicad {

std::string Shown(std::string_view text) {
    constexpr std::size_t kShown = 24;
    return "\"" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}

std::optional<SNode> Find(SNode list, std::string_view head) {
    for (const SNode item : list)
        if (item.IsList() && item.Head() == head)
            return item;
    return std::nullopt;
}

SNode Need(SNode list, std::string_view head, std::string_view what) {
    const auto found = Find(list, head);
    if (!found)
        throw Unreadable{list.Line(), std::string(what) + " has no (" + std::string(head) + ")"};
    return *found;
}

std::string_view AtomAt(SNode list, std::size_t i, std::string_view what) {
    if (i >= list.Size() || !list[i].IsAtom())
        throw Unreadable{list.Line(), "(" + std::string(list.Head()) + ") of " + std::string(what) +
                                          " lacks item " + std::to_string(i)};
    return list[i].Text();
}

std::string TextAt(SNode list, std::size_t i, std::string_view what) {
    return std::string(AtomAt(list, i, what));
}

Decimal NumberAt(SNode list, std::size_t i, std::string_view what) {
    const std::string_view text = AtomAt(list, i, what);
    const auto number = Decimal::Parse(text);
    if (!number)
        throw Unreadable{list[i].Line(), "(" + std::string(list.Head()) + ") of " +
                                             std::string(what) + ": " + Shown(text) +
                                             " is not a number"};
    return *number;
}

Point PointOf(SNode list, std::string_view what) {
    return {NumberAt(list, 1, what), NumberAt(list, 2, what)};
}

Point PlaceOf(SNode item, std::string_view what, Decimal& angle, AngleRule rule) {
    const SNode at = Need(item, "at", what);
    const Point point = PointOf(at, what);
    const bool given =
        at.Size() > 3 && !(rule == AngleRule::OptionalOrUnlocked && at[3].Text() == "unlocked");
    if (given || rule == AngleRule::Needed)
        angle = NumberAt(at, 3, what);
    return point;
}

bool Hidden(SNode list) {
    if (list.HasAtom("hide"))
        return true;
    const auto hide = Find(list, "hide");
    return hide && hide->Size() > 1 && hide->operator[](1).Text() == "yes";
}

void ReadTextEffects(SNode effects, Decimal& height, Justify& horizontal, Justify& vertical,
                     std::string_view what) {
    if (const auto font = Find(effects, "font"))
        if (const auto size = Find(*font, "size"))
            height = NumberAt(*size, 1, what);
    if (const auto justify = Find(effects, "justify")) {
        for (const SNode word : *justify) {
            const std::string_view w = word.Text();
            if (w == "left")
                horizontal = Justify::Start;
            else if (w == "right")
                horizontal = Justify::End;
            else if (w == "bottom")
                vertical = Justify::Start;
            else if (w == "top")
                vertical = Justify::End;
        }
    }
}

} // namespace k2k::kicad
