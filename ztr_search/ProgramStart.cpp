#include "ztr_search/ProgramStart.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Forms.h"
#include "ztr_search/formBazaDanych.h"
#include "ztr_search/formSzukaj.h"

#include <QLineEdit>

void createZintraSearchForms(platform::Application& application)
{
    application.createForm(frmSzukaj);
    application.createForm(frmBazaDanych);
    // The holder is in place before its create handler runs, so a failed catalogue leaves a holder
    // whose every later use meets the same error again.
    try {
        frmBazaDanych->FormCreate();
    } catch (const platform::DatabaseError&) {
        platform::showMessage(QStringLiteral("Błąd BDE"));
    }
    platform::centreOnScreen(frmSzukaj);
    frmSzukaj->Edit_tytul->setFocus();
}
