#pragma once
// The main window's form: constant data, one record for the window and one per control in the
// form list order, which is also the stacking order among siblings (earlier lies above).

#include "ui/controls/control_kinds.h"
#include "ui/form/control_ids.h"

#include <span>

namespace ui {

// A stored font: character height in pixels (without internal leading), weight (400 normal,
// 700 bold) and italic. Height 0 means the control has none and uses the default GUI font.
struct FontSpec {
    int height = 0;
    int weight = 400;
    bool italic = false;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };
enum class PictureId { None, Logo, Enter };

struct ControlRecord {
    ControlId id;
    const char* name; // GBK
    Kind kind;
    ControlId container;
    int left;
    int top;
    int width;
    int height;
    bool visible;
    bool tabStop;
    const char* text = ""; // caption or content, GBK
    Colour textColour = 0;
    Colour background = white;
    FontSpec font{};
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Centre;
    bool wordWrap = false;
    bool whiteShadow = false;
    bool checked = false;
    std::span<const char* const> items{};
    int currentItem = -1;
    int timerPeriod = 0;
    PictureId picture = PictureId::None;
    bool handPointer = false; // the pointer picture over this control instead of the kind's default
};

struct WindowRecord {
    ControlId id;
    const char* caption; // GBK
    int width;           // outer size, frame and title bar included
    int height;
    Colour background;
};

// The handlers that the form's events are bound to; the application supplies their bodies.
enum class HandlerId {
    SetStartState,
    AskAgreement,
    CountdownTick,
    ShowLogoAndSignature,
    Enter,
    HideLogoAndSignature,
    LayOutGrid,
    FillBatch,
};

struct Binding {
    ControlId control;
    Event event;
    HandlerId handler;
};

const WindowRecord& windowRecord();
std::span<const ControlRecord> formControls();
std::span<const Binding> formBindings();

// The record of a control, or nullptr for an identifier the form does not hold.
const ControlRecord* findRecord(ControlId id);

// The built height of the drop-down list, closed field and opened list together.
inline constexpr int comboBoxBuiltHeight = 160;

} // namespace ui
