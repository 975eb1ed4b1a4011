/*
 * Model libraries for the tests, one source built three ways:
 *   QUIRKS    one good model among names that must be skipped (number 0, not exported,
 *             answering 0)
 *   NOEXPORT  (K2K_NO_EXPORT_STATUS) has models but no ExportStatus
 *   ZERO      (K2K_EXPORT_STATUS_ZERO) whose ExportStatus answers 0
 */
#include "ModelLibrary.h"

MODEL(TSTFUNCM12, "Test amplifier", PIN("IN+"), PIN("IN-"), PIN("OUT"))
MODEL(TSTFUNC0, "Numbered 0", PIN("A"))

static const K2kModelDescriptor pinless = {.name = "Pinless model"};
K2K_EXPORT const void* TSTFUNC3(void);
const void* TSTFUNC3(void) {
    return &pinless;
}

K2K_EXPORT const void* TSTFUNC22(void);
const void* TSTFUNC22(void) {
    return 0;
}

#if defined(K2K_EXPORT_STATUS_ZERO)
K2K_EXPORT const void* ExportStatus(void);
const void* ExportStatus(void) {
    return 0;
}
#elif !defined(K2K_NO_EXPORT_STATUS)
static const K2K_EXPORT_LIST(6) exports = {
    6, {"TSTFUNC0", "TSTFUNC22", "TSTFUNCM12", "TSTFUNC8", "SHORT", "TSTFUNC3"}};

K2K_EXPORT const void* ExportStatus(void);
const void* ExportStatus(void) {
    return &exports;
}
#endif
