#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kestrum {

// The program's texts are Windows-1252 bytes; these convert at the edges
// (widgets, command line, source literals). Characters that Windows-1252
// cannot hold become '?'.
QString FromCp1252(std::string_view bytes);
std::string ToCp1252(QStringView text);
std::string Utf8ToCp1252(std::string_view utf8);

} // namespace kestrum
