#pragma once

#include "platform/Twips.h"

#include <QWidget>

namespace mostarium {

// A control at its place in the dialog's twips.
inline void placeTwips(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(layout::px(left), layout::px(top), layout::px(width), layout::px(height));
}

// A dialog's width and height in the layout figures include its borders:
// the client area is this much smaller.
inline constexpr int BorderTwips = 120;
inline int clientPx(int outerTwips) { return layout::px(outerTwips - BorderTwips); }

}  // namespace mostarium
