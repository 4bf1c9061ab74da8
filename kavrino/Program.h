// The start of the turtle console: the application title and its five windows, created in the
// order the program relies on (the first one is the main window). Running the loop is the caller's.
#pragma once

namespace platform {
class Application;
}

namespace kavrino {

void startProgram(platform::Application& application);

} // namespace kavrino
