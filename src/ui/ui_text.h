// The conversions between the core's 8-bit texts and Qt's strings. Game text (nicknames,
// map names) is Latin-1; file names are the file system's own bytes.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace mrv::ui {

QString FromGameText(std::string_view text);
std::string ToGameText(const QString& text);

// A core message, which may carry game text or a file name: UTF-8 when its bytes are
// valid UTF-8, Latin-1 otherwise. Its line breaks (CR LF, LF CR, CR, LF) become LF.
QString MessageText(std::string_view text);
// The same line breaks made LF in a text written in the windows' own code.
QString PlainLineBreaks(QString text);

QString PathText(const std::filesystem::path& path);
std::filesystem::path PathFromText(const QString& text);
// The directory of a file as LastDir keeps it: with its trailing separator.
std::string DirectoryOf(const QString& file);

}  // namespace mrv::ui
