#pragma once
// Text files as the program reads and writes them: written in Windows-1252
// with CR LF after every line and no BOM; read as UTF-8 when the bytes are
// valid UTF-8, else as Windows-1252, with CR LF or LF and a leading BOM skipped.
#include <string>
#include <string_view>
#include <vector>

// Bytes of a file the program reads, decoded to Windows-1252 program text.
std::string DecodeTextBytes(std::string_view bytes);

// Splits decoded text into lines (CR LF, LF or a lone CR end a line; a final
// line without terminator counts, a final empty one does not).
std::vector<std::string> SplitTextLines(std::string_view text);

// Reads a whole text file (file name in program text); false when it cannot be read.
bool ReadTextFile(const std::string& fileName, std::vector<std::string>& lines);

// Writes lines with CR LF; false when the file cannot be written.
bool WriteTextFile(const std::string& fileName, const std::vector<std::string>& lines);

// Reads a file's raw bytes; false when it cannot be read.
bool ReadFileBytes(const std::string& fileName, std::string& bytes);
