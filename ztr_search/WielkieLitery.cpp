#include "ztr_search/WielkieLitery.h"

const platform::CaseMapping& wielkieLiteryMapping()
{
    static const platform::CaseMapping mapping {
        { u'a', u'A' },
        { u'b', u'B' },
        { u'c', u'C' },
        { u'd', u'D' },
        { u'e', u'E' },
        { u'f', u'F' },
        { u'g', u'G' },
        { u'h', u'H' },
        { u'i', u'I' },
        { u'j', u'J' },
        { u'k', u'K' },
        { u'l', u'L' },
        { u'm', u'M' },
        { u'n', u'N' },
        { u'o', u'O' },
        { u'p', u'P' },
        { u'q', u'Q' },
        { u'r', u'R' },
        { u's', u'S' },
        { u't', u'T' },
        { u'u', u'U' },
        { u'v', u'V' },
        { u'w', u'W' },
        { u'x', u'X' },
        { u'y', u'Y' },
        { u'z', u'Z' },
        { u'ą', u'Ą' },
        { u'ć', u'Ć' },
        { u'ę', u'Ę' },
        { u'ł', u'Ł' },
        { u'ń', u'Ń' },
        { u'ó', u'Ó' },
        { u'ś', u'Ś' },
        { u'ź', u'Ź' },
        { u'ż', u'Ż' },
    };
    return mapping;
}

QString WielkieLitery(const QString& text)
{
    return wielkieLiteryMapping().apply(text);
}
