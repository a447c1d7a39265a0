#pragma once
// The line-format writers (STF, ADIF, Cabrillo, EDI) as the output driver
// runs them, installed into the output frame's writer registry.

// Installs the four writers for their output codes; called once at start.
void InstallQsoFormatWriters();
