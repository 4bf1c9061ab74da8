// ztr_search: the catalogue of the programs on Zintra's cover discs. The windows and everything
// they do live in ztr_search_lib.
#include "platform/Application.h"
#include "ztr_search/CatalogueIcon.h"
#include "ztr_search/ProgramStart.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qtApplication(argc, argv);
    platform::Application application;
    platform::Application::setTitle(QStringLiteral("Zintra Search"));
    platform::Application::setHelpFile(QStringLiteral("Zintra Search.hlp"));
    QApplication::setWindowIcon(catalogueIcon());
    createZintraSearchForms(application);
    return application.run();
}
