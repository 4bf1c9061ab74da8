#include "ztr_search/formInformacje.h"

#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"

#include <QPushButton>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

TfrmInformacje* frmInformacje = nullptr;

TfrmInformacje::TfrmInformacje(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , Memo1(new QTextEdit(this))
    , Button1(new QPushButton(QStringLiteral("Ok"), this))
{
    setWindowTitle(QStringLiteral("Informacje o Zintra Search"));
    setFont(platform::defaultWindowFont());
    setFixedSize(264, 137);

    Memo1->setGeometry(0, 10, 261, 87);
    Memo1->setReadOnly(true);
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setTextInteractionFlags(Qt::NoTextInteraction);
    QPalette colours = Memo1->palette();
    colours.setBrush(QPalette::Base, colours.button());
    Memo1->setPalette(colours);
    // This project has no public contact address, so the contact line stays empty.
    Memo1->setPlainText(
        QStringList { QStringLiteral("Zintra Search"), QStringLiteral("Katalog programów z płyt magazynu Zintra"),
            QString(), QString(), QStringLiteral("Autor: Lumbrek"), QString() }
            .join(u'\n'));
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);

    Button1->setGeometry(90, 106, 75, 25);
    Button1->setFocus();
    platform::connectGuarded(Button1, &QPushButton::clicked, this, &TfrmInformacje::Button1Click);
    frmInformacje = this;
}

TfrmInformacje::~TfrmInformacje()
{
    if (frmInformacje == this)
        frmInformacje = nullptr;
}

QStringList TfrmInformacje::lines() const
{
    QStringList result;
    for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next())
        result << block.text();
    return result;
}

void TfrmInformacje::Button1Click()
{
    close();
}

void TfrmInformacje::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        platform::centreOnScreen(this);
}
