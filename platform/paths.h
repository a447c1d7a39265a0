#pragma once
// File names and the program directory. Program text holds file names in
// Windows-1252; the file system sees UTF-8, converted here and only here.
#include <QString>
#include <string>
#include <string_view>

// The current directory at start followed by "/", in program text. The main
// block sets it; table and data file names are relative to it.
extern std::string ProgramDirectory;

// Sets ProgramDirectory from the current working directory.
void InitProgramDirectory();

// A file name in program text as the bytes the operating system expects.
std::string NativeFileName(const std::string& ansiName);

// A file name in program text as a QString, and back.
QString FileNameToQString(const std::string& ansiName);
std::string QStringToFileName(const QString& name);

// True when the file exists (and is not a directory).
bool FileExistsAnsi(const std::string& ansiName);

// Deletes a file; true when it is gone afterwards.
bool DeleteFileAnsi(const std::string& ansiName);

// A text (a call, a class name) made fit to be part of a file name inside
// a folder: path separators, drive colons, the characters file systems
// refuse (*?"<>|) and control characters become '_', and so do leading
// dots, so the part never names another folder or a hidden file. An empty
// text stays empty.
std::string FileNamePart(std::string_view text);
