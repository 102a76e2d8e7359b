#pragma once

namespace ui {

// The hourglass over the whole application while a long operation runs, as one switch rather
// than a stack: turning it on twice and off once leaves the normal pointer, and turning it off
// when it is not on does nothing. It owns at most one entry of Qt's override-cursor stack and
// removes it only while that entry is still the top one (a wait cursor), so it never pops an
// override cursor that other code pushed.
class ScreenPointer {
public:
    ScreenPointer() = delete;

    static void setHourglass(bool on);
    static bool hourglass();
};

}  // namespace ui
