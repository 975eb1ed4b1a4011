/*
 * KDSDIGI: the digital models of the mixed-mode simulator, listed as simulation functions
 * 1 to 20 by the number in their function names.
 */
#include "ModelLibrary.h"

MODEL(KDSFUNC1, "Buffer", PIN("A"), PIN("Y"))
MODEL(KDSFUNC2, "Inverter", PIN("A"), PIN("Y"))
MODEL(KDSFUNC3, "2-input AND gate", PIN("A"), PIN("B"), PIN("Y"))
MODEL(KDSFUNC4, "2-input OR gate", PIN("A"), PIN("B"), PIN("Y"))
MODEL(KDSFUNC5, "2-input exclusive-OR gate", PIN("A"), PIN("B"), PIN("Y"))
MODEL(KDSFUNC6, "2-input NOR gate", PIN("A"), PIN("B"), PIN("Y"))
MODEL(KDSFUNC7, "2-input NAND gate", PIN("A"), PIN("B"), PIN("Y"))
MODEL(KDSFUNC9, "Schmitt-trigger inverter", PIN("A"), PIN("Y"))
MODEL(KDSFUNC10, "D flip-flop", PIN("D"), PIN("CLK"), PIN("PRE"), PIN("CLR"), PIN("Q"), PIN("QN"))
MODEL(KDSFUNC11, "J-K flip-flop", PIN("J"), PIN("K"), PIN("CLK"), PIN("PRE"), PIN("CLR"), PIN("Q"),
      PIN("QN"))
MODEL(KDSFUNC12, "3-state buffer", PIN("A"), PIN("OE"), PIN("Y"))
MODEL(KDSFUNC13, "4-bit binary counter", PIN("CLK"), PIN("CLR"), PIN("Q0"), PIN("Q1"), PIN("Q2"),
      PIN("Q3"))
MODEL(KDSFUNC14, "Decade counter", PIN("CLK"), PIN("RST"), PIN("Q0"), PIN("Q1"), PIN("Q2"),
      PIN("Q3"), PIN("CO"))
MODEL(KDSFUNC15, "8-bit shift register", PIN("SER"), PIN("CLK"), PIN("CLR"), PIN("QA"), PIN("QB"),
      PIN("QC"), PIN("QD"), PIN("QE"), PIN("QF"), PIN("QG"), PIN("QH"))
MODEL(KDSFUNC16, "3-to-8 line decoder", PIN("A"), PIN("B"), PIN("C"), PIN("G1"), PIN("G2A"),
      PIN("G2B"), PIN("Y0"), PIN("Y1"), PIN("Y2"), PIN("Y3"), PIN("Y4"), PIN("Y5"), PIN("Y6"),
      PIN("Y7"))
MODEL(KDSFUNC20, "Monostable multivibrator", PIN("A"), PIN("B"), PIN("CLR"), PIN("Q"), PIN("QN"))

static const K2K_EXPORT_LIST(16) exports = {16,
                                            {"KDSFUNC1", "KDSFUNC2", "KDSFUNC3", "KDSFUNC4",
                                             "KDSFUNC5", "KDSFUNC6", "KDSFUNC7", "KDSFUNC9",
                                             "KDSFUNC10", "KDSFUNC11", "KDSFUNC12", "KDSFUNC13",
                                             "KDSFUNC14", "KDSFUNC15", "KDSFUNC16", "KDSFUNC20"}};

K2K_EXPORT const void* ExportStatus(void);
const void* ExportStatus(void) {
    return &exports;
}
