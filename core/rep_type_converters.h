// Resource values of Motif's enumerated types (dialogStyle, resizePolicy,
// separatorType, ...) read in ASCII. Motif lower-cases a value through the
// locale before it compares it with its names; under tr_TR "I" does not
// lower to "i", so "DIALOG_FULL_APPLICATION_MODAL" and "RESIZE_NONE" would
// convert to nothing, with a warning, and the dialogs would lose their
// modality.
#pragma once

// Puts an ASCII converter from String in place of Motif's for every
// enumerated type registered so far: a value matches a name whatever the
// case of its ASCII letters, with or without a leading "Xm", as in Motif.
// Call it once the first shell exists (its class registers Motif's
// converters, which this one replaces).
void InstallAsciiRepTypeConverters();
