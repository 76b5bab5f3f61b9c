#pragma once

#include <QString>

namespace mostarium::test {

// What a control that reads "&" as its shortcut marker (a frame, a button, a
// menu entry) draws of `title`: "&&" is one "&", a single "&" marks the next
// letter and is not drawn.
inline QString shownOf(const QString &title)
{
    QString shown;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (title[i] == u'&' && ++i == title.size())
            break;
        shown += title[i];
    }
    return shown;
}

}  // namespace mostarium::test
