#include "ztr_search/CatalogueText.h"

QStringList searchedColumns()
{
    return { QStringLiteral("nazwa_programu"), QStringLiteral("opis_programu"), QStringLiteral("wymagania"),
        QStringLiteral("instalacja"), QStringLiteral("nazwa_plyty") };
}

QStringList searchStatement(const QString& anyColumnLike)
{
    return {
        QStringLiteral(
            "select nazwa_programu, opis_programu, wymagania, instalacja, nazwa_plyty from t_programy, t_plyty "),
        QStringLiteral("where (t_programy.id_plyty=t_plyty.id_plyty) "),
        QStringLiteral("and (%1)").arg(anyColumnLike),
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

namespace {

const QString installMarker = QStringLiteral("Instalacja: ");
const QString discMarker = QStringLiteral(". Płyta: ");

} // namespace

std::optional<QString> installPathOfLine(const QString& line)
{
    const qsizetype install = line.indexOf(installMarker);
    const qsizetype disc = line.indexOf(discMarker);
    // A ". Płyta: " in the description, before any "Instalacja: ", leaves no path between them.
    if (install < 0 || disc < install + installMarker.size())
        return std::nullopt;
    const qsizetype start = install + installMarker.size();
    return line.mid(start, disc - start);
}

std::optional<QString> discNameOfLine(const QString& line)
{
    const qsizetype disc = line.indexOf(discMarker);
    if (disc < 0)
        return std::nullopt;
    return line.mid(disc + discMarker.size());
}

QString summaryLine(qsizetype programCount)
{
    return QStringLiteral("Znaleziono %1 programów").arg(programCount);
}

bool isSummaryLine(const QString& line)
{
    return line.startsWith(QStringLiteral("Znaleziono"));
}
