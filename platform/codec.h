#pragma once
// The one crossing between program text (Windows-1252 bytes in std::string)
// and Qt's QString. Nothing else converts program text.
#include <QString>
#include <string>
#include <string_view>

// Windows-1252 bytes to QString. The five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the
// same value, as Windows itself does, so every byte survives a round trip.
QString AnsiToQString(std::string_view ansi);

// QString to Windows-1252; characters outside Windows-1252 become '?'.
std::string QStringToAnsi(const QString& text);

// The Windows-1252 byte of one Unicode code point, or -1 when there is none.
int UnicodeToAnsiByte(char32_t cp);

// The Unicode code point of one Windows-1252 byte.
char32_t AnsiByteToUnicode(unsigned char b);

// True when the bytes are well-formed UTF-8 (ASCII included).
bool IsValidUtf8(std::string_view bytes);

// UTF-8 bytes to Windows-1252 ('?' for what Windows-1252 lacks).
std::string Utf8ToAnsi(std::string_view utf8);

// Windows-1252 bytes to UTF-8.
std::string AnsiToUtf8(std::string_view ansi);
