#include "shell_parts/text_window.hpp"

#include "framework/property_holder.hpp"
#include "framework/runtime_exception.hpp"

void TextWindow::Layout() { framework::SetProperties(*this, m_kind.window_properties()); }

void TextWindow::CreateControls() { CreateControls0(); }

void TextWindow::CreateControls0() {
  AddControl("tResult", New<framework::TextArea>());
  // Set by code, before the string: no text area string carries either value. Every step finds the
  // control again by name, so nothing here keeps a reference to it.
  tResult().SetLineSpacing(1.0);
  tResult().SetTextUnit(0);
  framework::SetProperties(tResult(), m_kind.result_properties());
}

framework::TextArea& TextWindow::tResult() {
  return framework::RuntimeCheckCast<framework::TextArea>(ControlByName("tResult"));
}
