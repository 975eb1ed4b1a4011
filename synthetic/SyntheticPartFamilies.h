#pragma once
// The part families of the synthetic libraries that live in files of their own: the
// discrete and linear devices (SyntheticDevices.cpp) and the passive parts
// (SyntheticPassives.cpp). PartFamilies (SyntheticParts.cpp) weighs them with the others.

#include "synthetic/SyntheticFamily.h"

#include <memory>

namespace k2k::synthetic {

std::unique_ptr<Family> LinearIcFamily();   // op-amps, comparators, timers, regulators
std::unique_ptr<Family> TransistorFamily(); // bipolar and MOS transistors
std::unique_ptr<Family> DiodeFamily();      // rectifiers, signal, Schottky, Zener diodes, LEDs
std::unique_ptr<Family> ResistorFamily();   // chip and axial resistors of the E24 series
std::unique_ptr<Family> CeramicCapacitorFamily();
std::unique_ptr<Family> ElectrolyticFamily(); // aluminium electrolytic capacitors

} // namespace k2k::synthetic
