#pragma once

#include "platform/WindowBase.h"

#include <QStringList>
#include <vector>

class QLabel;
class QScrollBar;

namespace mostarium {

// The seven tasting scales: a scroll bar per scale whose position picks a
// word. The words are recipe state; "&Opslaan" stores them (state, scratch
// file, the open recipe file) and keeps the dialog open, "&Klaar" closes.
class frmKenmerken : public WindowBase {
    Q_OBJECT
public:
    struct Scale {
        const char *tag;      // of the control names: hsbKM_<tag>
        const char *caption;  // "Kleur:"
        QStringList words;    // position p shows word p
    };
    // In screen order, which is also the order of every read and write.
    static const std::vector<Scale> &scales();

    frmKenmerken(Session &s, Services &svc, QWidget *parent = nullptr);

    // The bars from the recipe's words (the carbonation word written back).
    void ReadKenmerken();
    // "&Opslaan".
    void WriteKenmerken();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void display(int scale, int position);

    QScrollBar *m_bar[7] = {};
    QLabel *m_caption[7] = {}, *m_word[7] = {};
};

}  // namespace mostarium
