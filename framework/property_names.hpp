#pragma once

// Every property name that a window's or control's property string may hold, once, with its type.
// Code names a property only through these constants; the tables in property_kinds.hpp say which
// kind holds which, in what order and with what default.
//
// `Value` is an Int32 on a slider and a Boolean on a check box, so it has two constants.

#include <cstdint>
#include <string>

#include "framework/colour.hpp"
#include "framework/property_value.hpp"

namespace framework::prop {

using Int32Name = PropertyName<std::int32_t>;
using BooleanName = PropertyName<bool>;
using ColourName = PropertyName<Colour>;
using StringName = PropertyName<std::string>;

// Windows
inline constexpr Int32Name Placement{"Placement"};
inline constexpr Int32Name MinWidth{"MinWidth"};
inline constexpr Int32Name MinHeight{"MinHeight"};
inline constexpr Int32Name MaxWidth{"MaxWidth"};
inline constexpr Int32Name MaxHeight{"MaxHeight"};
inline constexpr Int32Name Frame{"Frame"};
inline constexpr Int32Name MacProcID{"MacProcID"};
inline constexpr BooleanName Composite{"Composite"};
inline constexpr BooleanName HasBackColor{"HasBackColor"};
inline constexpr BooleanName FullScreen{"FullScreen"};
inline constexpr BooleanName MenuBarVisible{"MenuBarVisible"};
inline constexpr BooleanName CloseButton{"CloseButton"};
inline constexpr BooleanName Resizeable{"Resizeable"};
inline constexpr BooleanName LiveResize{"LiveResize"};
inline constexpr BooleanName MaximizeButton{"MaximizeButton"};
inline constexpr BooleanName MinimizeButton{"MinimizeButton"};
inline constexpr StringName Title{"Title"};

// Windows and visible controls
inline constexpr Int32Name Width{"Width"};
inline constexpr Int32Name Height{"Height"};
inline constexpr BooleanName Visible{"Visible"};
inline constexpr ColourName BackColor{"BackColor"};

// Every visible control
inline constexpr StringName Name{"Name"};
inline constexpr Int32Name Index{"Index"};
inline constexpr Int32Name Left{"Left"};
inline constexpr Int32Name Top{"Top"};
inline constexpr BooleanName LockLeft{"LockLeft"};
inline constexpr BooleanName LockTop{"LockTop"};
inline constexpr BooleanName LockRight{"LockRight"};
inline constexpr BooleanName LockBottom{"LockBottom"};
inline constexpr Int32Name TabIndex{"TabIndex"};
inline constexpr Int32Name TabPanelIndex{"TabPanelIndex"};
inline constexpr BooleanName Enabled{"Enabled"};
inline constexpr BooleanName AutoDeactivate{"AutoDeactivate"};
inline constexpr StringName HelpTag{"HelpTag"};
inline constexpr StringName InitialParent{"InitialParent"};

// Focus and keyboard
inline constexpr BooleanName TabStop{"TabStop"};
inline constexpr BooleanName UseFocusRing{"UseFocusRing"};
inline constexpr BooleanName AcceptFocus{"AcceptFocus"};
inline constexpr BooleanName AcceptTabs{"AcceptTabs"};

// Rectangles and canvases
inline constexpr ColourName FillColor{"FillColor"};
inline constexpr Int32Name BorderWidth{"BorderWidth"};
inline constexpr ColourName TopLeftColor{"TopLeftColor"};
inline constexpr ColourName BottomRightColor{"BottomRightColor"};
inline constexpr BooleanName DoubleBuffer{"DoubleBuffer"};
inline constexpr BooleanName EraseBackground{"EraseBackground"};

// Timers
inline constexpr Int32Name Mode{"Mode"};
inline constexpr Int32Name Period{"Period"};

// Text: fonts, captions and labels
inline constexpr StringName TextFont{"TextFont"};
inline constexpr BooleanName Bold{"Bold"};
inline constexpr BooleanName Italic{"Italic"};
inline constexpr BooleanName Underline{"Underline"};
inline constexpr StringName Caption{"Caption"};
inline constexpr BooleanName Default{"Default"};
inline constexpr BooleanName Cancel{"Cancel"};
inline constexpr Int32Name ButtonStyle{"ButtonStyle"};
inline constexpr StringName Text{"Text"};
inline constexpr Int32Name TextAlign{"TextAlign"};
inline constexpr ColourName TextColor{"TextColor"};
inline constexpr BooleanName Multiline{"Multiline"};
inline constexpr BooleanName Selectable{"Selectable"};
inline constexpr BooleanName Transparent{"Transparent"};
inline constexpr StringName DataSource{"DataSource"};
inline constexpr StringName DataField{"DataField"};

// Editable text
inline constexpr BooleanName Border{"Border"};
inline constexpr BooleanName Password{"Password"};
inline constexpr StringName Format{"Format"};
inline constexpr StringName CueText{"CueText"};
inline constexpr StringName Mask{"Mask"};
inline constexpr BooleanName ReadOnly{"ReadOnly"};
inline constexpr Int32Name LimitText{"LimitText"};
inline constexpr Int32Name Alignment{"Alignment"};
inline constexpr BooleanName AutomaticallyCheckSpelling{"AutomaticallyCheckSpelling"};
inline constexpr BooleanName ScrollbarHorizontal{"ScrollbarHorizontal"};
inline constexpr BooleanName ScrollbarVertical{"ScrollbarVertical"};
inline constexpr BooleanName Styled{"Styled"};
inline constexpr BooleanName HideSelection{"HideSelection"};

// Sliders and check boxes
inline constexpr Int32Name Minimum{"Minimum"};
inline constexpr Int32Name SliderValue{"Value"};
inline constexpr Int32Name Maximum{"Maximum"};
inline constexpr Int32Name LineStep{"LineStep"};
inline constexpr Int32Name PageStep{"PageStep"};
inline constexpr BooleanName LiveScroll{"LiveScroll"};
inline constexpr Int32Name TickStyle{"TickStyle"};
inline constexpr Int32Name State{"State"};
inline constexpr BooleanName CheckBoxValue{"Value"};

}  // namespace framework::prop
