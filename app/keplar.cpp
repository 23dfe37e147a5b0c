#include "app/keplar.hpp"

#include "app/text_area_creation.hpp"
#include "app/text_window_properties.hpp"
#include "framework/property_holder.hpp"
#include "framework/runtime_exception.hpp"

void Keplar::Layout() {
  framework::SetProperties(*this, TextWindowProperties::KeplarWindowProperties());
}

void Keplar::CreateControls() { CreateControls0(); }

void Keplar::CreateControls0() {
  CreateTextArea(*this, "tResult", TextWindowProperties::KeplarResultProperties());
}

framework::TextArea& Keplar::tResult() {
  return framework::RuntimeCheckCast<framework::TextArea>(ControlByName("tResult"));
}
