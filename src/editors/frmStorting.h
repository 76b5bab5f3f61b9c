#pragma once

#include "editors/DialogRows.h"
#include "editors/RecipeDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace mostarium {

class NumericEdit;

// The grain bill: one row per fermentable with its share (or its grams, turned
// into shares on OK), extract yield, colour and late flag.
class frmStorting : public RecipeDialog {
    Q_OBJECT
public:
    // The rows "+" makes at most; a recipe may hold more, which load and show.
    static constexpr int MaxRows = 10;

    frmStorting(Session &s, Services &svc, QWidget *parent = nullptr);

    // Checks and normalises the rows in the boxes (texts are rewritten also
    // when it fails); true when every check passed.
    bool ControleerStorting();
    // The rows into Storting, with the part's bit.
    void StoreStorting();

    void chkSTInGrammen_Click();
    void cmdStPlus_Click();
    void cmdStVerwijder_Click();

    struct Row {
        SelectAllEdit *ingred;
        NumericEdit *perc, *bzr, *ebc;
        QCheckBox *laat;
        QList<QWidget *> widgets() const;
    };
    int rowCount() const { return m_rows.count(); }

protected:
    bool check() override { return ControleerStorting(); }
    void store() override { StoreStorting(); }

private:
    Row makeRow(int i, const Row *previous);
    void load();
    // The add and remove buttons, the grams switch and the buttons under the
    // frame: below the tenth row, or below the last row of a longer bill.
    void placeBottom(int rows);

    QGroupBox *m_frame = nullptr;
    QLabel *m_lblPerc = nullptr;
    QCheckBox *m_grammen = nullptr;
    QPushButton *m_plus = nullptr, *m_min = nullptr, *m_ok = nullptr, *m_cancel = nullptr;
    QWidget *m_help = nullptr;
    RowList<Row> m_rows;
};

}  // namespace mostarium
