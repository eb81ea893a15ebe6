#pragma once
// Desktops of several monitors for unit tests, built from the monitors' rectangles.
#include "platform/monitors.h"

#include <initializer_list>

inline kv::Monitors monitorLayout(std::initializer_list<QRect> rects, int primary) {
    kv::Monitors m;
    for (const QRect& r : rects) {
        m.list.push_back({r, 1.0});
        m.root |= r;
    }
    m.primary = primary;
    return m;
}
