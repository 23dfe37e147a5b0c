// Compiled, not run, by the tests in tests/CMakeLists.txt: with no case defined it must compile;
// each case names a property its kind does not hold, or no property at all, and must not.

#include "framework/kind_writer.hpp"

namespace P = framework::prop;
namespace K = framework::kinds;

int main() {
  framework::KindWriter<K::Label> label({{P::TabIndex, 3}, {P::Text, "fps"}, {P::TextAlign, 2}});
  label.Set<P::Left>(5);
#if defined(SETTING_OUTSIDE_THE_KIND)
  framework::KindWriter<K::Label> tab_stop({{P::TabStop, true}});  // labels are not in the tab order
#elif defined(SET_OUTSIDE_THE_KIND)
  label.Set<P::Border>(true);  // a label has no frame
#elif defined(MISSPELT_NAME)
  framework::KindWriter<K::Label> misspelt({{P::TabPanelIndx, 0}});
#elif defined(VALUE_OF_THE_OTHER_KIND)
  framework::KindWriter<K::Slider> value({{P::CheckBoxValue, true}});  // a slider's Value is an Int32
#endif
  return 0;
}
