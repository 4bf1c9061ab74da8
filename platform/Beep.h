// The system's default beep, behind a seam so that tests can count beeps instead of hearing them.
#pragma once

#include <functional>

namespace platform {

void beep();

// Replaces what beep() does; an empty handler restores the desktop's bell.
void setBeepHandler(std::function<void()> handler);

} // namespace platform
