#include "app/caliculate.hpp"

#include "app/text_area_creation.hpp"
#include "app/text_window_properties.hpp"
#include "framework/property_holder.hpp"
#include "framework/runtime_exception.hpp"

void Caliculate::Layout() {
  framework::SetProperties(*this, TextWindowProperties::CaliculateWindowProperties());
}

void Caliculate::CreateControls() { CreateControls0(); }

void Caliculate::CreateControls0() {
  CreateTextArea(*this, "tResult", TextWindowProperties::CaliculateResultProperties());
}

framework::TextArea& Caliculate::tResult() {
  return framework::RuntimeCheckCast<framework::TextArea>(ControlByName("tResult"));
}
