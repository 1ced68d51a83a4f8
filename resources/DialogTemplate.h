#pragma once

#include <span>

// Dialog templates as plain data: each dialog is a caption, a size and a table
// of controls in tab order, with every rectangle in dialog units so the whole
// layout scales with the dialog font (see ui/common/DialogBuilder.h).

enum class ControlKind
{
    Static,
    GroupBox,
    PushButton,
    DefaultPushButton,
    CheckBox,
    DropDownList,
    Edit,
    ListView,
    UpDown
};

enum ControlStyle : unsigned
{
    kNoStyle = 0,
    kTabStop = 1u << 0,
    kGroup = 1u << 1,
    kBorder = 1u << 2,
    kVScroll = 1u << 3,
    kDigitsOnly = 1u << 4,
    kAutoHScroll = 1u << 5,
    kMultiSelect = 1u << 6,
    kSingleSelect = 1u << 7,
    kArrowKeys = 1u << 8
};

// Texts and captions are UTF-8 source texts of Qt's translation system, all
// in this one context (marked QT_TRANSLATE_NOOP where they are written);
// the dialog builder shows their translation.
inline constexpr char kTemplateTextContext[] = "DialogTemplates";

// The id of a control nobody looks up (captions beside other controls).
inline constexpr int kNoId = -1;

struct ControlTemplate
{
    int id;
    ControlKind kind;
    const char* text;        // nullptr or "" for none; see kTemplateTextContext
    int x, y, width, height; // dialog units
    unsigned style;          // ControlStyle bits
};

enum DialogFlags : unsigned
{
    kFixedFrame = 0,
    kResizable = 1u << 0,
    kMinimizeBox = 1u << 1
};

struct DialogTemplate
{
    int id;
    const char* caption; // see kTemplateTextContext
    int width, height;   // client area, dialog units
    int fontPoints;
    unsigned flags; // DialogFlags bits
    std::span<const ControlTemplate> controls;
};

// Template 102, the main window.
const DialogTemplate& MainDialogTemplate();
