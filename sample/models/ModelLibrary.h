/*
 * Helpers for writing a simulator model library in C: one model function per MODEL line,
 * each answering a static descriptor, and the export list of their names.
 */
#pragma once

#include "platform/SimulatorModelAbi.h"

#define K2K_EXPORT __attribute__((visibility("default")))

#define PIN(text)                                                                                  \
    { .name = (text) }

/* MODEL(KDSFUNC7, "2-input NAND gate", PIN("A"), PIN("B"), PIN("Y")) defines the model
 * function KDSFUNC7, which answers the descriptor of the model and its pins. */
#define MODEL(function, text, ...)                                                                 \
    static const K2kModelPin function##_pins[] = {__VA_ARGS__};                                    \
    static const K2kModelDescriptor function##_model = {                                           \
        .name = (text),                                                                            \
        .pinCount = (uint8_t)(sizeof(function##_pins) / sizeof(function##_pins[0])),               \
        .pins = function##_pins};                                                                  \
    K2K_EXPORT const void* function(void);                                                         \
    const void* function(void) {                                                                   \
        return &function##_model;                                                                  \
    }
