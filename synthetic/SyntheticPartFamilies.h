#pragma once
// The passive part families of the synthetic libraries (SyntheticPassives.cpp), which
// PartFamilies (SyntheticParts.cpp) weighs with the logic and the devices.

#include "synthetic/SyntheticFamily.h"

#include <memory>

namespace k2k::synthetic {

std::unique_ptr<Family> LinearIcFamily();   // op-amps, comparators, timers, regulators
std::unique_ptr<Family> TransistorFamily(); // bipolar and MOS transistors
std::unique_ptr<Family> DiodeFamily();      // rectifiers, signal, Schottky, Zener diodes, LEDs
std::unique_ptr<Family> ResistorFamily();   // chip and axial resistors of the E24 series
std::unique_ptr<Family> CeramicCapacitorFamily();
std::unique_ptr<Family> ElectrolyticFamily(); // aluminium electrolytic capacitors
std::unique_ptr<Family> ConnectorFamily();    // pin headers and wire-to-board headers
std::unique_ptr<Family> CrystalFamily();      // quartz crystals

} // namespace k2k::synthetic
