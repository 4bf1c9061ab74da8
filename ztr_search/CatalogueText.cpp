#include "ztr_search/CatalogueText.h"

QStringList searchStatement()
{
    return {
        QStringLiteral(
            "select nazwa_programu, opis_programu, wymagania, instalacja, nazwa_plyty from t_programy, t_plyty "),
        QStringLiteral("where (t_programy.id_plyty=t_plyty.id_plyty) "),
        QStringLiteral("and ((upper(nazwa_programu) like ?)"),
        QStringLiteral("or (upper(opis_programu) like ?)"),
        QStringLiteral("or (upper(wymagania) like ?)"),
        QStringLiteral("or (upper(instalacja) like ?)"),
        QStringLiteral("or (upper(nazwa_plyty) like ?))"),
    };
}

QString searchPattern(const QString& upperCasedWord)
{
    return u'%' + upperCasedWord + u'%';
}

QStringList discStatement()
{
    return { QStringLiteral(
        "select * from t_programy, t_plyty where ((t_programy.id_plyty=t_plyty.id_plyty )and (t_plyty.id_plyty=?))") };
}

QString resultLine(const QString& name, const QString& description, const QString& requirements,
    const QString& installPath, const QString& discName)
{
    return name + QStringLiteral(" - ") + description + requirements + QStringLiteral(" Instalacja: ") + installPath
        + QStringLiteral(". Płyta: ") + discName;
}

QString summaryLine(qsizetype programCount)
{
    return QStringLiteral("Znaleziono %1 programów").arg(programCount);
}

bool isSummaryLine(const QString& line)
{
    return line.startsWith(QStringLiteral("Znaleziono"));
}
