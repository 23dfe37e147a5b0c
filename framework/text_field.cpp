#include "framework/controls.hpp"

namespace framework {

TextField::TextField() {
  Define("Password", false);
  Define("CueText", std::string());
}

}  // namespace framework
