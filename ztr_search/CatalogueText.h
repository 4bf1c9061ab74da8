// The texts the search window builds from the catalogue: the statements it runs and the lines it
// lists. The line format is read back by the installer launch, so it changes only with it.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// The search statement, one "?" per searched column, each bound to searchPattern(word).
QStringList searchStatement();
constexpr int searchedColumnCount = 5;
// "%" + word + "%": the word's own "%" and "_" keep acting as wildcards.
QString searchPattern(const QString& upperCasedWord);

// All programs of one disc; its one "?" is bound to the disc's id.
QStringList discStatement();

// name + " - " + description + requirements + " Instalacja: " + install path + ". Płyta: " + disc.
QString resultLine(const QString& name, const QString& description, const QString& requirements,
    const QString& installPath, const QString& discName);

// "Znaleziono N programów"
QString summaryLine(qsizetype programCount);

// The summary line, and any line that starts like it, has no description.
bool isSummaryLine(const QString& line);
