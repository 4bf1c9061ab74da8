#include "kavrino/Unit2.h"

#include "kavrino/TurtlePortrait.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"

#include <QKeyEvent>

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , Panel1(new platform::Panel(this))
    , ProgramIcon(new platform::PictureControl(Panel1))
    , ProductName(new platform::Label(QStringLiteral("Kavrino"), Panel1))
    , Version(new platform::Label(QString(), Panel1))
    , Copyright(new platform::Label(QStringLiteral("Autor: Kwintel"), Panel1))
    , Comments(new platform::Label(QString(), Panel1))
    , OKButton(new QPushButton(QStringLiteral("OK"), this))
{
    setWindowTitle(QStringLiteral("Kavrino"));
    setFont(platform::defaultWindowFont());
    setFixedSize(298, 213);

    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setBevelOuter(platform::Panel::Bevel::Lowered);
    Panel1->setBevelInner(platform::Panel::Bevel::Raised);

    ProgramIcon->setGeometry(8, 8, 65, 57);
    ProgramIcon->setStretch(true);
    ProgramIcon->setBitmap(kavrino::turtlePortrait());

    ProductName->move(88, 16);
    Version->move(88, 40);
    Copyright->move(8, 80);
    Comments->setAutoSize(false);
    Comments->setWordWrap(true);
    Comments->setGeometry(8, 104, 214, 39);

    OKButton->setGeometry(111, 180, 75, 25);
    // Enter on the focused button presses it, as on a dialog's default button.
    OKButton->setAutoDefault(true);
    OKButton->setDefault(true);
    OKButton->setFocus();

    platform::connectGuarded(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    platform::connectGuarded(ProgramIcon, &platform::PictureControl::Click, this, &TAboutBox::ProgramIconClick);
}

void TAboutBox::OKButtonClick()
{
    hide();
}

void TAboutBox::ProgramIconClick()
{
    platform::showMessage(QStringLiteral("Żółwia nie widziałeś ?"));
}

void TAboutBox::FormKeyPress(QChar)
{
    platform::showMessage(QStringLiteral("Po co naciskasz ?"));
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    // Keys go to the focused control first; one that comes up from a control was not typed to the
    // window, so only a key sent while no control holds the focus counts as the window's own.
    const QWidget* focused = focusWidget();
    if (focused && focused != this) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OKButton->click();
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    platform::runGuarded([&] { FormKeyPress(text.front()); });
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        platform::centreOnScreen(this);
}
