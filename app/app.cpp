#include "app/app.hpp"

// The program handles no application events and keeps no application-wide state, so there is
// nothing to set up here; the start-up gives the object its menu bar afterwards.
void App::Constructor() {}
