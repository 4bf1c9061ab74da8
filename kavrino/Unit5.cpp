#include "kavrino/Unit5.h"

#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"
#include "platform/Printer.h"
#include "platform/StandardAnimations.h"

#include <QKeyEvent>

TOKBottomDlg* OKBottomDlg = nullptr;

namespace {
constexpr int barEnd = 100;
}

TOKBottomDlg::TOKBottomDlg(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , Bevel1(new QFrame(this))
    , Label1(new QLabel(QStringLiteral("Trwa drukowanie..."), this))
    , ProgressBar1(new QProgressBar(this))
    , Animate1(new platform::AnimationControl(this))
    , OKBtn(new QPushButton(QStringLiteral("Przerwij"), this))
    , Timer1(new platform::Timer(this, 100, false))
{
    setWindowTitle(QStringLiteral("Trwa drukowanie..."));
    setFont(platform::defaultWindowFont());
    setFixedSize(313, 214);

    Bevel1->setGeometry(8, 8, 297, 161);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Label1->setFont(platform::fontWithPixelHeight(QStringLiteral("Times New Roman"), 27));
    Label1->setGeometry(40, 24, 212, 31);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ProgressBar1->setGeometry(16, 56, 273, 13);
    ProgressBar1->setRange(0, barEnd);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    Animate1->move(24, 96);
    // Drawn when the dialog is first shown, not at start.
    Animate1->setFrames(
        platform::copyFileAnimationFrames, platform::copyFileFrameSize, platform::copyFileFrameInterval);
    Animate1->setActive(true);

    OKBtn->setGeometry(223, 180, 75, 25);
    OKBtn->setAutoDefault(true);
    OKBtn->setDefault(true);
    OKBtn->setFocus();

    platform::connectGuarded(Timer1, &platform::Timer::tick, this, &TOKBottomDlg::Timer1Timer);
    platform::connectGuarded(OKBtn, &QPushButton::clicked, this, &TOKBottomDlg::OKBtnClick);
}

void TOKBottomDlg::FormActivate()
{
    ProgressBar1->setValue(0);
    Timer1->setEnabled(true);
}

void TOKBottomDlg::Timer1Timer()
{
    ProgressBar1->setValue(ProgressBar1->value() + 1);
    if (ProgressBar1->value() == barEnd) {
        Timer1->setEnabled(false);
        hide();
    }
}

void TOKBottomDlg::OKBtnClick()
{
    platform::printer().abort();
    Timer1->setEnabled(false);
    hide();
}

bool TOKBottomDlg::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    // Being shown counts as becoming active, whatever the window system makes of it. An
    // activation that arrives after the dialog has hidden again must not start a hidden run.
    const bool activation = event->type() == QEvent::WindowActivate || event->type() == platform::formActivationEvent();
    if (activation && isVisible())
        platform::runGuarded([this] { FormActivate(); });
    return handled;
}

void TOKBottomDlg::keyPressEvent(QKeyEvent* event)
{
    // The default button takes Enter even when no control holds the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OKBtn->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TOKBottomDlg::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        platform::centreOnScreen(this);
}
