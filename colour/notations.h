#pragma once

#include "platform/colourvalue.h"

#include <QString>
#include <array>

namespace kv {

// The six programmer notations of a colour, in box order (the boxes TxtClrVal).
struct Notation {
    enum : int {
        Html,    // #1E90FF
        Decimal, // the colour value, 16748574
        RgbCall, // RGB(30,144,255)
        Vb,      // &H00FF901E&
        Cpp,     // 0xFF901E
        Delphi,  // $00FF901E
        Count
    };
};

std::array<QString, Notation::Count> FormatColourNotations(int red, int green, int blue);

} // namespace kv
