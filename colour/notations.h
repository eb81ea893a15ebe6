#pragma once

#include "platform/colourvalue.h"

#include <QString>
#include <array>

namespace kv {

// The six programmer notations of a colour, in box order: HTML, decimal value,
// RGB call, VB, C++, Delphi.
std::array<QString, 6> FormatColourNotations(int red, int green, int blue);

} // namespace kv
