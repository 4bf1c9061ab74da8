#include "kavrino/Unit3.h"

#include "kavrino/CommandReference.h"
#include "kavrino/Unit2.h"
#include "platform/Dialogs.h"
#include "platform/ErrorReport.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"

#include <QLineEdit>

TForm3* Form3 = nullptr;

namespace {

// Windows puts a 4-pixel sizing frame and a caption around the client area; the window was laid
// out as 386 by 252 pixels with them.
constexpr QSize clientSize(386 - 2 * 4, 252 - 2 * 4 - 19);
constexpr int listItemHeight = 13;

} // namespace

TForm3::TForm3(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , Label1(new platform::Label(QStringLiteral("Wybierz procedurę:"), this))
    , Label2(new platform::Label(QStringLiteral("Procedura:"), this))
    , Label3(new platform::Label(QStringLiteral("Sposób zapisu:"), this))
    , Label4(new platform::Label(QStringLiteral("Parametry:"), this))
    , ComboBox1(new QComboBox(this))
    , Label5(new platform::Label(QString(), this))
    , Label6(new platform::Label(QString(), this))
    , Label7(new platform::Label(QString(), this))
    , Label8(new platform::Label(QStringLiteral("Opis procedury:"), this))
    , ListBox1(new QListWidget(this))
    , Label9(new platform::Label(QStringLiteral("Autor: Kwintel"), this))
    , Button1(new QPushButton(QStringLiteral("Wyjście"), this))
{
    setWindowTitle(QStringLiteral("Spis procedur"));
    setFont(platform::defaultWindowFont());
    move(300, 210);
    resize(clientSize);

    Label1->move(16, 8);
    Label2->move(152, 8);
    Label3->move(224, 8);
    Label4->move(312, 8);
    Label5->move(152, 32);
    Label6->move(224, 32);
    Label7->move(312, 32);
    Label8->move(16, 56);
    Label9->move(16, 200);

    ComboBox1->setGeometry(16, 24, 121, 21);
    ComboBox1->setEditable(true);
    // What the user types is looked up as typed: no completion, and nothing is added to the list.
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(8);
    ComboBox1->addItems(kavrino::pickListWords());
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QStringLiteral("Wybierz procedurę"));

    ListBox1->setGeometry(16, 72, 353, 113);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setTextElideMode(Qt::ElideNone);
    ListBox1->setUniformItemSizes(true);

    Button1->setGeometry(296, 192, 75, 25);

    setTabOrder(ComboBox1, ListBox1);
    setTabOrder(ListBox1, Button1);

    platform::connectGuarded(ComboBox1, &QComboBox::editTextChanged, this, &TForm3::ComboBox1Change);
    platform::connectGuarded(ListBox1, &QListWidget::itemSelectionChanged, this, &TForm3::ListBox1Click);
    platform::connectGuarded(Label9, &platform::Label::Click, this, &TForm3::Label9Click);
    platform::connectGuarded(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);
}

void TForm3::ComboBox1Change()
{
    ListBox1->clear();
    const kavrino::CommandHelp* entry = kavrino::findCommandHelp(ComboBox1->currentText());
    if (!entry)
        return;
    Label5->setCaption(entry->displayName);
    Label6->setCaption(entry->syntax());
    Label7->setCaption(entry->parameter);
    for (const QString& line : entry->description) {
        auto* item = new QListWidgetItem(line, ListBox1);
        item->setSizeHint(QSize(0, listItemHeight)); // the rows span the list whatever the width
    }
}

void TForm3::ListBox1Click()
{
    // Emptying the list before a lookup also changes the selection; only a chosen line counts.
    if (ListBox1->selectedItems().isEmpty())
        return;
    platform::showMessage(QStringLiteral("Wybierz procedurę!"));
}

void TForm3::Label9Click()
{
    if (AboutBox)
        platform::showForm(AboutBox);
}

void TForm3::Button1Click()
{
    hide();
}
