#pragma once

// One table per kind of window or control: every property the kind holds, in the order in which
// its property strings list them, each with the value a new object of the class starts with.
//
// The class defines its properties from its table; the property-string writer writes a kind's
// entries in the table's order, each with its default unless a layout sets another value; and a
// layout states only what differs from these defaults.
//
// Sections: 1. the table types   2. blocks that several kinds share   3. the window
//           4. the controls, one table each   5. every kind

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "framework/colour.hpp"
#include "framework/property_names.hpp"
#include "framework/property_value.hpp"

namespace framework {

// ---------------------------------------------------------------------------------------------
// 1. The table types
// ---------------------------------------------------------------------------------------------

// One row: a property and its default, whose alternative is the property's type.
struct PropertyRow {
  std::string_view name;
  PropertyConstant initial;

  constexpr PropertyRow() = default;
  template <class T>
  constexpr PropertyRow(const PropertyName<T>& property, std::type_identity_t<ConstantOf<T>> value)
      : name(property.text), initial(std::in_place_type<ConstantOf<T>>, value) {}

  constexpr PropertyType Type() const { return static_cast<PropertyType>(initial.index()); }
};

class PropertyKind {
 public:
  static constexpr std::size_t kNotHeld = std::numeric_limits<std::size_t>::max();

  constexpr PropertyKind(std::string_view name, std::span<const PropertyRow> entries)
      : m_name(name), m_entries(entries) {}

  // The kind's name in diagnostics: its class's name.
  constexpr std::string_view Name() const { return m_name; }
  // The rows in the order of the kind's property strings.
  constexpr std::span<const PropertyRow> Entries() const { return m_entries; }

  // The position of the row of that name and type, or kNotHeld.
  constexpr std::size_t Find(std::string_view name, PropertyType type) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
      if (m_entries[i].name == name && m_entries[i].Type() == type) return i;
    }
    return kNotHeld;
  }

  // The type of the kind's `Value`, the one name whose type depends on the kind.
  constexpr std::optional<PropertyType> ValueType() const {
    for (const PropertyRow& row : m_entries) {
      if (row.name == prop::SliderValue.text) return row.Type();
    }
    return std::nullopt;
  }

 private:
  std::string_view m_name;
  std::span<const PropertyRow> m_entries;
};

namespace kinds {

namespace table {

using namespace prop;
// Named here so that it hides framework::Format, the number formatting, within the tables.
using prop::Format;

inline constexpr Colour kWhite = Colour::FromRgb(0xFFFFFF);
inline constexpr Colour kBlack = Colour::FromRgb(0x000000);

template <std::size_t N>
consteval std::array<PropertyRow, N> Rows(const PropertyRow (&rows)[N]) {
  std::array<PropertyRow, N> all{};
  for (std::size_t i = 0; i < N; ++i) all[i] = rows[i];
  return all;
}

template <std::size_t... N>
consteval auto Join(const std::array<PropertyRow, N>&... parts) {
  std::array<PropertyRow, (N + ...)> all{};
  std::size_t at = 0;
  for (const std::span<const PropertyRow> part : {std::span<const PropertyRow>(parts)...}) {
    for (const PropertyRow& row : part) all[at++] = row;
  }
  return all;
}

// ---------------------------------------------------------------------------------------------
// 2. Blocks that several kinds share
// ---------------------------------------------------------------------------------------------

// The head of every visible control's string. A new control is not part of a control array and
// keeps its place at the top left of its window.
inline constexpr auto kControlHead = Rows({
    {Name, ""}, {Index, std::numeric_limits<std::int32_t>::min()},
    {Left, 0}, {Top, 0}, {Width, 100}, {Height, 100},
    {LockLeft, true}, {LockTop, true}, {LockRight, false}, {LockBottom, false},
});

// The font of every control that shows text; the strings name no size.
inline constexpr auto kFont = Rows({
    {TextFont, "System"}, {Bold, false}, {Italic, false}, {Underline, false},
});

// ---------------------------------------------------------------------------------------------
// 3. The window: a new one stays hidden until its string or Show makes it visible
// ---------------------------------------------------------------------------------------------

inline constexpr auto kWindow = Rows({
    {Placement, 0}, {Width, 100}, {Height, 100},
    {MinWidth, 64}, {MinHeight, 64}, {MaxWidth, 32000}, {MaxHeight, 32000},
    {Frame, 0}, {Composite, false}, {HasBackColor, false}, {BackColor, kWhite},
    {Title, ""}, {Visible, false}, {FullScreen, false}, {MenuBarVisible, true},
    {CloseButton, true}, {Resizeable, true}, {LiveResize, true},
    {MaximizeButton, true}, {MinimizeButton, true}, {MacProcID, 0},
});

// ---------------------------------------------------------------------------------------------
// 4. The controls
// ---------------------------------------------------------------------------------------------

// A white area with a one-pixel black frame. Its tab index comes before its tab panel, unlike
// every other kind's.
inline constexpr auto kRectangle = Join(kControlHead, Rows({
    {TabIndex, 0}, {TabPanelIndex, 0}, {Visible, true}, {HelpTag, ""},
    {AutoDeactivate, true}, {Enabled, true},
    {FillColor, kWhite}, {BorderWidth, 1}, {TopLeftColor, kBlack}, {BottomRightColor, kBlack},
    {InitialParent, ""},
}));

inline constexpr auto kCanvas = Join(kControlHead, Rows({
    {TabPanelIndex, 0}, {TabIndex, 0}, {TabStop, true}, {Visible, true}, {HelpTag, ""},
    {AutoDeactivate, true}, {Enabled, true},
    {UseFocusRing, true}, {AcceptFocus, false}, {AcceptTabs, false},
    {DoubleBuffer, false}, {EraseBackground, true},
    {InitialParent, ""},
}));

// A repeating one-second timer. It has no rectangle, name entry or index entry.
inline constexpr auto kTimer = Rows({
    {Mode, 2}, {Period, 1000},
});

inline constexpr auto kPushButton = Join(kControlHead, Rows({
    {TabPanelIndex, 0}, {TabIndex, 0}, {TabStop, true},
    {Caption, ""}, {Default, false}, {Cancel, false},
    {Enabled, true}, {Visible, true}, {HelpTag, ""}, {AutoDeactivate, true},
    {ButtonStyle, 0},
}), kFont, Rows({
    {InitialParent, ""},
}));

// Black, left-aligned, single-line text; not in the tab order (no TabStop).
inline constexpr auto kLabel = Join(kControlHead, Rows({
    {TabPanelIndex, 0}, {TabIndex, 0},
    {Text, ""}, {TextAlign, 0}, {TextColor, kBlack}, {Multiline, false},
    {Enabled, true}, {Visible, true}, {Selectable, false}, {Transparent, false},
    {HelpTag, ""}, {AutoDeactivate, true},
}), kFont, Rows({
    {DataSource, ""}, {DataField, ""}, {InitialParent, ""},
}));

// Framed black text on white, unlimited, in the platform's default alignment. A text field never
// lies inside another control (no InitialParent).
inline constexpr auto kTextField = Join(kControlHead, Rows({
    {TabPanelIndex, 0}, {TabIndex, 0}, {TabStop, true},
    {Border, true}, {Password, false}, {UseFocusRing, true},
    {TextColor, kBlack}, {BackColor, kWhite}, {Enabled, true}, {Format, ""},
    {Visible, true}, {HelpTag, ""}, {AutoDeactivate, true},
}), kFont, Rows({
    {CueText, ""}, {Text, ""}, {Mask, ""}, {ReadOnly, false}, {LimitText, 0},
    {AcceptTabs, false}, {Alignment, 0}, {AutomaticallyCheckSpelling, false},
    {DataSource, ""}, {DataField, ""},
}));

// 0 to 100, reporting while the thumb is dragged, without tick marks.
inline constexpr auto kSlider = Join(kControlHead, Rows({
    {TabPanelIndex, 0}, {TabIndex, 0}, {TabStop, true},
    {Enabled, true}, {Visible, true}, {HelpTag, ""}, {AutoDeactivate, true},
    {Minimum, 0}, {SliderValue, 0}, {Maximum, 100}, {LineStep, 1}, {PageStep, 10},
    {LiveScroll, true}, {TickStyle, 0},
    {InitialParent, ""},
}));

// Unchecked. The check is held twice, as State and as Value.
inline constexpr auto kCheckBox = Join(kControlHead, Rows({
    {TabPanelIndex, 0}, {TabIndex, 0}, {TabStop, true}, {Caption, ""},
    {Enabled, true}, {Visible, true}, {HelpTag, ""}, {AutoDeactivate, true},
}), kFont, Rows({
    {State, 0}, {CheckBoxValue, false},
    {DataSource, ""}, {DataField, ""}, {InitialParent, ""},
}));

// A multi-line box with a vertical scroll bar; like a text field, never inside another control.
inline constexpr auto kTextArea = Join(kControlHead, Rows({
    {TabPanelIndex, 0}, {TabIndex, 0}, {TabStop, true},
    {Border, true}, {Multiline, true}, {ScrollbarHorizontal, false}, {ScrollbarVertical, true},
    {Styled, false}, {UseFocusRing, true}, {TextColor, kBlack}, {BackColor, kWhite},
    {Enabled, true}, {Format, ""}, {Visible, true}, {HelpTag, ""}, {AutoDeactivate, true},
    {HideSelection, true},
}), kFont, Rows({
    {Text, ""}, {Mask, ""}, {ReadOnly, false}, {LimitText, 0},
    {AcceptTabs, false}, {Alignment, 0}, {AutomaticallyCheckSpelling, false},
    {DataSource, ""}, {DataField, ""},
}));

}  // namespace table

inline constexpr PropertyKind Window{"Window", table::kWindow};
inline constexpr PropertyKind Rectangle{"Rectangle", table::kRectangle};
inline constexpr PropertyKind Canvas{"Canvas", table::kCanvas};
inline constexpr PropertyKind Timer{"Timer", table::kTimer};
inline constexpr PropertyKind PushButton{"PushButton", table::kPushButton};
inline constexpr PropertyKind Label{"Label", table::kLabel};
inline constexpr PropertyKind TextField{"TextField", table::kTextField};
inline constexpr PropertyKind Slider{"Slider", table::kSlider};
inline constexpr PropertyKind CheckBox{"CheckBox", table::kCheckBox};
inline constexpr PropertyKind TextArea{"TextArea", table::kTextArea};

// ---------------------------------------------------------------------------------------------
// 5. Every kind
// ---------------------------------------------------------------------------------------------

inline constexpr auto kAll = std::to_array<const PropertyKind*>({
    &Window, &Rectangle, &Canvas, &Timer, &PushButton, &Label, &TextField, &Slider, &CheckBox, &TextArea,
});

}  // namespace kinds

}  // namespace framework
