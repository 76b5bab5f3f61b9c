#pragma once

#include "platform/Twips.h"

#include <QWidget>

namespace mostarium {

// A control at its place in the dialog's twips.
inline void placeTwips(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(layout::px(left), layout::px(top), layout::px(width), layout::px(height));
}

// A window's width in twips, its height kept.
inline void setWidthTwips(QWidget *w, int width) { w->resize(layout::px(width), w->height()); }

} // namespace mostarium
