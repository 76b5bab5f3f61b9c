#pragma once

#include "RecipeDialog.h"

#include <QPlainTextEdit>

class QCheckBox;
class QLabel;

namespace mostarium {

// A multi-line box with a maximum length in which a line break counts two
// characters (CR LF in the recipe); typing and pasting stop at the limit, a longer
// text set from the recipe shows whole and can only be shortened.
//
// A long paragraph is shown as a run of pieces of a few thousand characters,
// each laid out on its own, so that notes of megabytes open at once; the
// breaks between the pieces are the box's own and no part of its text.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedTextEdit(int maxLength, QWidget *parent = nullptr);

    // The notes the box holds, every character as typed, pasted or set, with
    // "\n" between their lines; the breaks between pieces are left out (the
    // document's own plain text counts them as line breaks).
    QString notesText() const;
    // Shows `text` in pieces; CR LF, CR, LF and the line and paragraph
    // separators each start a new line.
    void setNotesText(const QString &text);

    int maxLength() const { return m_max; }
    // The length as the limit counts it.
    int length() const;
    static int lengthOf(const QString &text);

    // The longest run of characters laid out as one piece.
    static constexpr qsizetype PieceLength = 2000;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    // The text from `from` to `to` (document positions), joined across the
    // breaks between pieces.
    QString textBetween(int from, int to) const;
    QString selectedText() const;
    // Puts `text` at the cursor: its line breaks become lines of their own.
    void insertLines(const QString &text);
    // Backspace or Delete next to a break between pieces; true when taken.
    bool stepsOverPieceBreak(QKeyEvent *e);
    int room() const;
    int m_max;
};

// The notes and whether they go onto the printed recipe. OK stores them and
// writes them into the open recipe file; no sound, no bit, no recalculation.
class frmAantekeningen : public RecipeDialog {
    Q_OBJECT
public:
    frmAantekeningen(Session &s, Services &svc, QWidget *parent = nullptr);

    void ShowAantekeningen();
    void StoreAantekeningen();

protected:
    void store() override { StoreAantekeningen(); }
    void afterStore() override {}
    bool setsChangedFlag() const override { return false; }
    bool clicksOnOk() const override { return false; }
    bool inChain() const override { return false; }
    QString successor() const override { return {}; }

private:
    void txtAantekeningen_Change();

    LimitedTextEdit *m_text = nullptr;
    // The box's text as ShowAantekeningen left it: while the box still holds
    // it, OK keeps the stored notes as they are.
    QString m_shown;
    QLabel *m_counter = nullptr;
    QCheckBox *m_inRecept = nullptr;
};

}  // namespace mostarium
