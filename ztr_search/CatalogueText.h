// The texts the search window builds from the catalogue: the statements it runs and the lines it
// lists. The line format is read back by the installer launch, so it changes only with it.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

// The five columns a word is looked for in.
QStringList searchedColumns();
// The search statement around `anyColumnLike`, the engine's condition that any searched column,
// upper-cased, is like the one pattern bound to it, searchPattern(word).
QStringList searchStatement(const QString& anyColumnLike);
// "%" + word + "%": the word's own "%" and "_" keep acting as wildcards.
QString searchPattern(const QString& upperCasedWord);

// All programs of one disc; its one "?" is bound to the disc's id.
QStringList discStatement();

// name + " - " + description + requirements + " Instalacja: " + install path + ". Płyta: " + disc.
QString resultLine(const QString& name, const QString& description, const QString& requirements,
    const QString& installPath, const QString& discName);

// The install path of a program line: the text between the first "Instalacja: " and the first
// ". Płyta: ". Nothing when the line lacks either, or has them the other way round.
std::optional<QString> installPathOfLine(const QString& line);
// The disc name of a program line: the rest of it after the first ". Płyta: ".
std::optional<QString> discNameOfLine(const QString& line);

// "Znaleziono N programów"
QString summaryLine(qsizetype programCount);

// The summary line, and any line that starts like it, has no description.
bool isSummaryLine(const QString& line);
