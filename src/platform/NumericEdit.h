#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <optional>

namespace mostarium {

// A text box for numbers as every dialog of the program has them: only the
// keys of its kind pass, and in a box for decimals a typed comma enters the
// point. Pasted or dropped text is taken whole after the same rule, or
// refused whole with a beep. The whole text is selected when the box gets
// the focus. What the program itself puts in is shown as it is.
class NumericEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind {
        Decimal,       // digits and "."
        Signed,        // digits, "." and "-"
        Digits,        // digits only: whole numbers
        WholeMinutes,  // digits and "/"
    };

    explicit NumericEdit(const QString &objectName, bool allowMinus = false, QWidget *parent = nullptr);
    NumericEdit(const QString &objectName, Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }

    // Marks a box as bad (red) or good (white).
    void setBad(bool bad);
    bool isBad() const;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    // `text` as the keys of this box would enter it: a decimal comma is the
    // point in a box for decimals.
    QString asTyped(const QString &text) const;
    // Pasted or dropped text as it would be entered, when the keys would take
    // all of it and it fits; else nothing.
    std::optional<QString> takenWhole(const QString &text) const;
    void pasteWhole(QClipboard::Mode mode);

    Kind m_kind;
};

// The same red/white mark for any text box.
void markBad(QWidget *box, bool bad);
bool isMarkedBad(const QWidget *box);

}  // namespace mostarium
