#pragma once
// The input log of a generation: the FCO pack as the computation received it, for checking a
// computation outside the program.

#include <fcopack.h>

#include <string>

namespace bridge {

// The output MTM's path with ".packmtm" in place of its extension.
std::string inputLogFileName(const std::string& outputPath);

// Writes the pack's 204 bytes of fields, then its vertex and triangle records, replacing the
// file. False, with an error line, when the file cannot be written.
bool WriteInputLogMTM(const TFcoMtm& pack, const std::string& fileName);

} // namespace bridge
