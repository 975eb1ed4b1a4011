/*
 * KDSANLG: the analog models of the mixed-mode simulator. An analog model's function name
 * carries "M" and the model number, so the browser lists it as simulation function -N.
 */
#include "ModelLibrary.h"

MODEL(KDSFUNCM1, "Resistor", PIN("1"), PIN("2"))
MODEL(KDSFUNCM2, "Capacitor", PIN("1"), PIN("2"))
MODEL(KDSFUNCM3, "Inductor", PIN("1"), PIN("2"))
MODEL(KDSFUNCM4, "Diode", PIN("A"), PIN("K"))
MODEL(KDSFUNCM5, "Zener diode", PIN("A"), PIN("K"))
MODEL(KDSFUNCM6, "Light emitting diode", PIN("A"), PIN("K"))
MODEL(KDSFUNCM7, "NPN transistor", PIN("C"), PIN("B"), PIN("E"))
MODEL(KDSFUNCM8, "PNP transistor", PIN("C"), PIN("B"), PIN("E"))
MODEL(KDSFUNCM9, "N-channel MOSFET", PIN("D"), PIN("G"), PIN("S"))
MODEL(KDSFUNCM10, "P-channel MOSFET", PIN("D"), PIN("G"), PIN("S"))
MODEL(KDSFUNCM11, "Voltage regulator", PIN("IN"), PIN("GND"), PIN("OUT"))
MODEL(KDSFUNCM12, "Operational amplifier", PIN("IN+"), PIN("IN-"), PIN("V+"), PIN("V-"), PIN("OUT"))
MODEL(KDSFUNCM13, "Voltage comparator", PIN("IN+"), PIN("IN-"), PIN("V+"), PIN("V-"), PIN("OUT"))
MODEL(KDSFUNCM14, "Timer", PIN("GND"), PIN("TRIG"), PIN("OUT"), PIN("RESET"), PIN("CTRL"),
      PIN("THRES"), PIN("DISCH"), PIN("VCC"))
MODEL(KDSFUNCM15, "Shunt voltage reference", PIN("CATHODE"), PIN("ANODE"), PIN("REF"))

static const K2K_EXPORT_LIST(15) exports = {15,
                                            {"KDSFUNCM1", "KDSFUNCM2", "KDSFUNCM3", "KDSFUNCM4",
                                             "KDSFUNCM5", "KDSFUNCM6", "KDSFUNCM7", "KDSFUNCM8",
                                             "KDSFUNCM9", "KDSFUNCM10", "KDSFUNCM11", "KDSFUNCM12",
                                             "KDSFUNCM13", "KDSFUNCM14", "KDSFUNCM15"}};

K2K_EXPORT const void* ExportStatus(void);
const void* ExportStatus(void) {
    return &exports;
}
