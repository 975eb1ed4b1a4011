// The padstack families of the synthetic libraries: through-hole, surface and mounting
// pads, their sizes in mils in the name and in millimetres in the description, drawn with
// the sample suite's shapes (sketch/PadstackShapes.h). The packages name their pads with
// SurfacePadName and HolePadName, so every pad is a padstack these families make.

#include "sketch/PadstackShapes.h"
#include "synthetic/SyntheticFamily.h"

#include <algorithm>
#include <tuple>

namespace k2k::synthetic {

std::string SurfacePadName(int width, int length) {
    // The family: widths 8 to 100 in steps of 2, lengths 4 to 3 widths more in steps of 4,
    // at most 200.
    width = std::clamp(width / 2 * 2, 8, 100);
    length = std::clamp(length, width + 4, std::min(width * 4, 200));
    length = width + 4 + (length - width - 4) / 4 * 4;
    return "R" + std::to_string(width) + "X" + std::to_string(length);
}

std::string HolePadName(char shape, int pad, int hole) {
    // The family: pads 40 to 150 in steps of 5, holes from 20 in steps of 3, at least 15
    // below the pad and at most 100.
    pad = std::clamp(pad / 5 * 5, 40, 150);
    hole = std::clamp(hole, 20, std::min(pad - 15, 100));
    hole = 20 + (hole - 20) / 3 * 3;
    std::string name(1, shape);
    name += std::to_string(pad);
    if (shape == 'O')
        name += "X" + std::to_string(pad + pad / 2);
    return name + "H" + std::to_string(hole);
}

namespace {

// Round and square through-hole pads: pad 40 to 150 mils, drill at least 15 mils smaller.
class ThroughHolePadFamily final : public Family {
public:
    ThroughHolePadFamily() {
        for (int pad = 40; pad <= 150; pad += 5)
            for (int hole = 20; hole <= pad - 15 && hole <= 100; hole += 3)
                m_sizes.push_back({pad, hole});
    }
    std::uint64_t Combinations() const noexcept override { return m_sizes.size() * 3; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const auto [pad, hole] = m_sizes[Take(c, m_sizes.size())];
        const std::size_t shape = Take(c, 3);
        const PadShape copper = shape == 2   ? PadShape::Oblong
                                : shape == 1 ? PadShape::Square
                                             : PadShape::Round;
        const int length = shape == 2 ? pad + pad / 2 : pad;
        Sketch sketch(DrawingKind::Padstack);
        DrawHolePad(sketch, copper, pad, length, hole);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const auto [pad, hole] = m_sizes[Take(c, m_sizes.size())];
        const std::size_t shape = Take(c, 3);
        Out out(info);
        if (shape == 2) {
            // Oblong: as long again as wide, or half again.
            const int length = pad + pad / 2;
            Out(name) << 'O' << pad << 'X' << length << 'H' << hole;
            out << "Oblong pad " << MilsAsMillimetres(pad) << " x " << MilsAsMillimetres(length)
                << " mm, drill " << MilsAsMillimetres(hole) << " mm" << kSep
                << "Through-hole,Oblong" << kSep << "Oblong";
            return;
        }
        const bool square = shape == 1;
        Out(name) << (square ? 'S' : 'C') << pad << 'H' << hole;
        out << (square ? "Square pad " : "Round pad ") << MilsAsMillimetres(pad) << " mm, drill "
            << MilsAsMillimetres(hole) << " mm" << (square ? " (pin 1)" : "") << kSep
            << (square ? "Through-hole,Square" : "Through-hole,Round") << kSep
            << (square ? "Square" : "Round");
    }

private:
    std::vector<std::pair<int, int>> m_sizes;
};

// Surface-mount pads: rectangles and rounded rectangles 8 to 100 mils wide, up to four
// times as long; round pads of 8 to 60 mils.
class SmdPadFamily final : public Family {
public:
    SmdPadFamily() {
        for (int width = 8; width <= 100; width += 2)
            for (int length = width + 4; length <= width * 4 && length <= 200; length += 4)
                m_sizes.push_back({width, length});
    }
    std::uint64_t Combinations() const noexcept override { return m_sizes.size() * 2 + 53; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        int width = 0;
        int length = 0;
        PadShape shape = PadShape::Round;
        if (c >= m_sizes.size() * 2) {
            width = length = 8 + static_cast<int>(c - m_sizes.size() * 2);
        } else {
            std::tie(width, length) = m_sizes[Take(c, m_sizes.size())];
            shape = Take(c, 2) == 1 ? PadShape::Oblong : PadShape::Rect;
        }
        Sketch sketch(DrawingKind::Padstack);
        DrawSurfacePad(sketch, shape, width, length);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        Out out(info);
        if (c >= m_sizes.size() * 2) {
            const int diameter = 8 + static_cast<int>(c - m_sizes.size() * 2);
            Out(name) << "CS" << diameter;
            out << "Round SMD pad " << MilsAsMillimetres(diameter) << " mm (BGA, test point)"
                << kSep << "Surface-mount,Round" << kSep << "Round";
            return;
        }
        const auto [width, length] = m_sizes[Take(c, m_sizes.size())];
        const bool rounded = Take(c, 2) == 1;
        Out(name) << (rounded ? "RR" : "R") << width << 'X' << length;
        out << (rounded ? "Rounded rectangular pad " : "Rectangular pad ")
            << MilsAsMillimetres(width) << " x " << MilsAsMillimetres(length) << " mm" << kSep
            << (rounded ? "Surface-mount,Rounded rectangle" : "Surface-mount,Rectangular") << kSep
            << (rounded ? "Rounded rectangle" : "Rectangular");
    }

private:
    std::vector<std::pair<int, int>> m_sizes;
};

// Mounting holes of 80 to 250 mils, plated with a pad or not plated.
class MountingHoleFamily final : public Family {
public:
    std::uint64_t Combinations() const noexcept override { return 35 * 2; }
    void Draw(std::uint64_t c, std::string& drawing) const override {
        const int hole = 80 + 5 * static_cast<int>(Take(c, 35));
        const bool plated = Take(c, 2) == 0;
        Sketch sketch(DrawingKind::Padstack);
        DrawMountingHole(sketch, hole, plated ? hole * 7 / 4 : 0);
        sketch.WriteTo(drawing);
    }
    void Make(std::uint64_t c, std::string& name, std::string& info) const override {
        const int hole = 80 + 5 * static_cast<int>(Take(c, 35));
        const bool plated = Take(c, 2) == 0;
        Out(name) << "MTG" << hole << (plated ? "" : "NP");
        Out out(info);
        out << "Mounting hole " << MilsAsMillimetres(hole) << " mm, ";
        if (plated)
            out << "plated, pad " << MilsAsMillimetres(hole * 7 / 4) << " mm";
        else
            out << "not plated";
        out << kSep << "Through-hole,Mounting hole" << kSep << "Round";
    }
};

} // namespace

std::vector<WeightedFamily> PadstackFamilies() {
    return Families(Weighted<ThroughHolePadFamily>(350), Weighted<SmdPadFamily>(600),
                    Weighted<MountingHoleFamily>(50));
}

} // namespace k2k::synthetic
