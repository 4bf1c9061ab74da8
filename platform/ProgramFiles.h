// Where a program finds the files installed with it. Installed, a program is <prefix>/bin/<file>;
// its data lie in <prefix>/share/<name>/ and its loadable modules in <prefix>/lib/<triplet>/<name>/
// (lib/<name>/ where the system has no multiarch triplet), <name> being its file name in lower
// case. The build tree lays out the same folders around the programs' own, so the same lookup
// serves both; the source tree is never looked at.
#pragma once

#include <QString>

namespace platform {

enum class ProgramFolder { Data, Modules };

// The folder of the running program's files of that kind; it need not exist.
QString programFolder(ProgramFolder kind);

} // namespace platform
