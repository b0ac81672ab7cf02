#pragma once

#include <string>

// Every byte of a file.
std::string ReadWholeFile(const std::string& fileName);

// The name of the temporary file beside `fileName` that WriteFileAtomically and the extract
// command write before they rename it into place.
std::string PartialName(const std::string& fileName);

// Writes `bytes` to the partial file and renames it into place, so that a failure never leaves
// a half-written file under the name asked for. `executable` marks the file as a program.
void WriteFileAtomically(const std::string& fileName, const std::string& bytes, bool executable = false);

// Renames the partial file into place.
void CommitPartial(const std::string& fileName);
