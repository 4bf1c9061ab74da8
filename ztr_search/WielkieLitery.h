// Upper-casing of search words: the ASCII letters and the nine Polish lower-case letters become
// capitals, every other character stays. The catalogue's SQL upper() uses the same mapping, so a
// word and the stored values it is compared with are upper-cased alike.
#pragma once

#include "platform/database/CaseMapping.h"

#include <QString>

const platform::CaseMapping& wielkieLiteryMapping();

QString WielkieLitery(const QString& text);
