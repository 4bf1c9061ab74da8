// The start of ztr_search: its windows, created in order, and the one error caught on the way.
// main() adds the application object and the message loop.
#pragma once

namespace platform {
class Application;
}

// Creates the search window and the database holder, which opens the catalogue; a database error
// there shows "Błąd BDE" and the program goes on without its catalogue.
void createZintraSearchForms(platform::Application& application);
