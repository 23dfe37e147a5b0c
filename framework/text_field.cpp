#include "framework/controls.hpp"

namespace framework {

TextField::TextField() : TextEdit(kinds::TextField) {}

}  // namespace framework
