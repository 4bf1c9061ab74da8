#include "ztr_search/FmxUtils.h"

#include "platform/desktop/ShellStart.h"

bool ShellStartFile(const QString& file, const QString& parameters, const QString& directory, int showCommand)
{
    return platform::shellStart().startFile(file, parameters, directory, showCommand);
}
