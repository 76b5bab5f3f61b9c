#pragma once

#include "RecipeDialog.h"

#include "core/RecipeState.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mostarium {

// Five free-text lines per beer in two frames side by side (the yeasts, the
// additions): the first beer's entries 0..4 on the left, the second beer's
// 5..9 on the right, shown only in a double brew. No check and no
// recalculation; every non-empty entry of the ten marks the recipe changed
// and sets the part's bit.
class EntryListDialog : public RecipeDialog {
    Q_OBJECT
public:
    struct Names {
        const char *window, *caption;
        const char *frame1, *frame2;  // left and right frame
        const char *label1, *label2;  // label arrays, "lblGKGist"
        const char *box1, *box2;      // text-box arrays, "txtGKgist"
        const char *labelWord;        // "gist #" gives "gist #1:"
        const char *ok, *cancel, *help, *topic;
        int narrowWidth, wideWidth;  // twips, single and double brew
        int frameTop;
    };

    EntryListDialog(const Names &names, Table1D<QString> RecipeState::*entries, int bit, Session &s, Services &svc,
                    QWidget *parent = nullptr);

protected:
    void store() override;
    void afterStore() override;
    bool setsChangedFlag() const override { return false; }

    // Colours, the layout by the brew mode and the boxes from the recipe;
    // each subclass calls it once its own controls stand.
    void Form_Load();
    // The layout by the brew mode; subclasses add their own placing after it.
    virtual void layoutFor(bool dubbel);
    int dialogWidth() const { return m_width; }

private:
    Table1D<QString> RecipeState::*m_entries;
    int m_bit;
    Names m_names;
    int m_width = 0;
    // The right-hand boxes hold the second beer only when the dialog was
    // loaded in a double brew.
    bool m_loadedDubbel = false;
    QGroupBox *m_frame[2] = {};
    QLineEdit *m_box[2][5] = {};
    QPushButton *m_ok = nullptr, *m_cancel = nullptr;
};

// The additions; in the wizard its OK opens the yeasts.
class frmToevoegingen : public EntryListDialog {
    Q_OBJECT
public:
    frmToevoegingen(Session &s, Services &svc, QWidget *parent = nullptr);

protected:
    QString successor() const override;
};

// The yeasts, with the link to the yeast suppliers' data; its OK ends the wizard.
class frmGistKeuze : public EntryListDialog {
    Q_OBJECT
public:
    frmGistKeuze(Session &s, Services &svc, QWidget *parent = nullptr);

    // The link file of the yeast page, written when missing, then opened.
    void lblGKURL_Click();

protected:
    void layoutFor(bool dubbel) override;
    void afterStore() override;
    QString successor() const override { return {}; }

private:
    QLabel *m_url = nullptr;
};

}  // namespace mostarium
