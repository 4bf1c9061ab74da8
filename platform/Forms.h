// Small helpers for top-level windows as the programs use them.
#pragma once

class QWidget;

namespace platform {

// Makes the window visible and brings it to the front, without waiting for it.
void showForm(QWidget* form);

// Moves the window so that it stands in the centre of the screen it is on.
void centreOnScreen(QWidget* form);

} // namespace platform
