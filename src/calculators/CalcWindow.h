#pragma once

#include "platform/NumericEdit.h"
#include "platform/WindowBase.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace mostarium {

// What the calculator dialogs share: their boxes, the status bar's one
// panel, the compute and close sounds and the colours.
class CalcWindow : public WindowBase {
    Q_OBJECT
public:
    CalcWindow(const QString &name, const QString &caption, Session &s, Services &svc, QWidget *parent = nullptr);

    QString statusText() const;

protected:
    QLabel *label(const char *name, const QString &text, QWidget *parent = nullptr);
    // The red "*" beside a box that must be filled.
    QLabel *asterix(const QString &name, QWidget *parent);
    QGroupBox *frame(const char *name, const QString &caption);
    NumericEdit *input(const char *name, NumericEdit::Kind kind = NumericEdit::Kind::Decimal,
                       QWidget *parent = nullptr);
    QLineEdit *result(const char *name, QWidget *parent = nullptr);
    QComboBox *choice(const char *name, const QStringList &items, QWidget *parent = nullptr);
    QPushButton *button(const char *name, const QString &caption, QWidget *parent = nullptr);
    // The close button: its click, then unload.
    QPushButton *klaarButton(const char *name, QWidget *parent = nullptr);
    // The help picture of the window kit, named.
    QWidget *help(const char *name, const QString &topic, QWidget *parent = nullptr);
    // The status bar with its one panel, emptied.
    QStatusBar *statusBar(const char *name);
    void setStatus(const QString &text);

    // zadiver_plop.wav, when the sounds are on.
    void playCompute() const;
    // The main window's colour on everything but text and combo boxes.
    void colourControls();

private:
    QLabel *m_panel = nullptr;
};

}  // namespace mostarium
