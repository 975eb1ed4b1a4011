#pragma once
// A small suite for the search tests, written into a folder:
//   LIB/A.PART       74LS00, 74HC00, SN74LS00N (DIP14; 7400,PWR2), 74LS02 (DIP14; 7402,PWR2),
//                    LM741 (DIP8; OPAMP)
//   LIB/EMPTY.PART   no objects
//   LIB/B.PART       74HCT00 (DIP14; 7400,PWR2), LM358 (SO8; OPAMP,OPAMP_PWR)
//   LIB/LOGIC.SYMBOL 7400, OPAMP     LIB/P.PACKAGE DIP14, DIP8     LIB/T.PADSTACK PAD60R
//   kalde2000.ini    DEVLIBS A.PART, MISSING.PART (no file), EMPTY.PART, B.PART; one library
//                    of each other kind; the project DEMO.K2K
//   suite.ini        LibDir=LIB
//   DEMO.K2K         parts 74LS00 (used on the layout and schematic of hierarchy SECOND),
//                    LM741 (on a schematic of TOP only), SPARE (placed nowhere); symbol
//                    7400 (on a schematic), package DIP8 (on a schematic only)

#include <filesystem>
#include <string>
#include <string_view>

namespace k2k::test {

std::string PartInfo(std::string_view package, std::string_view description,
                     std::string_view symbols);

void WriteSmallSuite(const std::filesystem::path& root);

} // namespace k2k::test
