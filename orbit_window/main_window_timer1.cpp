#include "orbit_window/main_window_timer1.hpp"

// Mode and Period come from the timer's property string, and its window from the window that adds
// it; there is nothing left to set up here.
void MainWindowTimer1::Constructor() {}
