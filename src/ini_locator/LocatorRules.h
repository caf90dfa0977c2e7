#pragma once
#include <QString>

// What the INI locator builds from its folder and the file clicked last.
namespace inilocator {

// The folder with a separator appended when it does not end in one (an empty folder gives
// the separator alone).
QString withTrailingSep(const QString &folder);

// "The full path is: ", CR, the path trimmed and upper-cased, CR, "is it ok?".
QString okQuestion(const QString &iniPath);

// "Do you want edit ", CR, the path trimmed and upper-cased, " ?".
QString editQuestion(const QString &iniPath);

// The editor's command line: the path exactly as held, blanks kept, no quotes.
QString editorCommand(const QString &iniPath);

} // namespace inilocator
