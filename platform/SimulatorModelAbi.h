#pragma once
/*
 * What a simulator model library hands the browser. Plain C, shared by the browser and
 * by every model library (the sample's are C), so both sides read one declaration.
 *
 * A model library is a shared object that exports a function "ExportStatus" and one
 * function per model. The kernel calls each of them with no arguments (E_CallDLL) and
 * the browser reads what they answer byte by byte through the kernel (E_MemCopy); all
 * texts are zero-terminated Windows-1252 strings in the library's memory.
 *
 * The suite's records hold 32-bit addresses. Here every address is a native pointer and
 * the records keep their fields in the suite's order, so on a 64-bit system:
 *
 * Export list (the answer of ExportStatus; 0 for none):
 *   offset 0   int32   count N of model function names
 *   offset 8   N pointers to the names (offset K2K_EXPORT_NAMES_OFFSET: the count
 *              padded to pointer alignment)
 *
 * Model descriptor (the answer of a model function; 0 for none), 32 bytes:
 *   offset 0   pointer  the model's name
 *   offset 8   7 bytes  not read by the browser
 *   offset 15  uint8    count C of pin entries
 *   offset 16  4 bytes  not read by the browser
 *   offset 24  pointer  C pin entries
 *
 * Pin entry, 16 bytes:
 *   offset 0   pointer  the pin's name
 *   offset 8   4 bytes  not read by the browser
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Every function the browser calls in a model library: no arguments, an address back. */
typedef const void* (*K2kModelCall)(void);

/* The name of the function that answers the export list. */
#define K2K_EXPORT_STATUS "ExportStatus"

/* An export list of n names, for a library to define statically:
 *   static const K2K_EXPORT_LIST(3) exports = {3, {"KDSFUNC2", "KDSFUNC7", "KDSFUNCM12"}}; */
#define K2K_EXPORT_LIST(n)                                                                         \
    struct {                                                                                       \
        int32_t count;                                                                             \
        const char* names[n];                                                                      \
    }

typedef K2K_EXPORT_LIST(1) K2kExportListHead;
#define K2K_EXPORT_NAMES_OFFSET offsetof(K2kExportListHead, names)

typedef struct K2kModelPin {
    const char* name;
    uint8_t reserved[4];
} K2kModelPin;

typedef struct K2kModelDescriptor {
    const char* name;
    uint8_t reserved1[7];
    uint8_t pinCount;
    uint8_t reserved2[4];
    const K2kModelPin* pins;
} K2kModelDescriptor;

#ifdef __cplusplus
}
static_assert(sizeof(void*) != 8 ||
                  (K2K_EXPORT_NAMES_OFFSET == 8 && offsetof(K2kModelDescriptor, pinCount) == 15 &&
                   offsetof(K2kModelDescriptor, pins) == 24 && sizeof(K2kModelDescriptor) == 32 &&
                   sizeof(K2kModelPin) == 16),
              "the layout documented above");
#endif
