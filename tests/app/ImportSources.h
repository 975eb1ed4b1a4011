#pragma once
// Small source libraries of the open-source EDA tool for the tests of k2klib import.

#include <string>
#include <string_view>
#include <vector>

namespace k2k::test {

// A symbol library file of one-pin symbols with the given names.
inline std::string KicadSymbolLibrary(const std::vector<std::string>& names) {
    std::string text = "(kicad_symbol_lib (version 20211014) (generator kicad_symbol_editor)\n";
    for (const std::string& name : names)
        text += "  (symbol \"" + name +
                "\" (in_bom yes) (on_board yes)\n"
                "    (property \"ki_description\" \"A symbol\" (id 5) (at 0 0 0))\n"
                "    (symbol \"" +
                name +
                "_1_1\" (rectangle (start -2.54 2.54) (end 2.54 -2.54))\n"
                "      (pin input line (at -5.08 0 0) (length 2.54) (name \"IN\") (number "
                "\"1\"))))\n";
    return text + ")\n";
}

// A footprint file with one surface pad.
inline std::string KicadFootprint(std::string_view name) {
    return "(footprint \"" + std::string(name) +
           "\" (layer \"F.Cu\")\n"
           "  (fp_line (start -1 -1) (end 1 -1) (layer \"F.SilkS\") (width 0.12))\n"
           "  (pad \"1\" smd rect (at 0 0) (size 1.5 0.9) (layers \"F.Cu\" \"F.Paste\" "
           "\"F.Mask\")))\n";
}

} // namespace k2k::test
