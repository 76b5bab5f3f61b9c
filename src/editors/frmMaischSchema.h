#pragma once

#include "editors/DialogRows.h"
#include "editors/RecipeDialog.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace mostarium {

class NumericEdit;

// The mash: thickness, pH, an optional mash-in by decoction and the steps,
// the first of which is the mash-in step.
class frmMaischSchema : public RecipeDialog {
    Q_OBJECT
public:
    // The rows "+" makes at most: the mash-in step and six rests.
    static constexpr int MaxRows = 7;

    frmMaischSchema(Session &s, Services &svc, QWidget *parent = nullptr);

    // Marks every tested box; true when none failed.
    bool ControleerMaischSchema();
    // The dialog into Maischschema, the copies and the part's bit.
    void StoreMaischSchema();

    void chkMViaDecoctie_Click();
    void cmdMSPlus_Click();
    void cmdMSVerwijder_Click();

    struct Row {
        QLabel *stap;
        NumericEdit *temp, *tijd;
        QList<QWidget *> widgets() const;
    };
    int rowCount() const { return m_rows.count(); }

protected:
    bool check() override { return ControleerMaischSchema(); }
    void store() override { StoreMaischSchema(); }
    // The tick writes the flag at once; leaving without OK puts back the
    // flag the dialog found.
    void onCancelled() override;
    void onCloseBox() override;

private:
    Row makeRow(int i, const Row *previous);
    void load();
    void placeBottom(int rows);

    QGroupBox *m_schema = nullptr;
    NumericEdit *m_inMaisch = nullptr, *m_pH = nullptr;
    QCheckBox *m_decoctie = nullptr;
    NumericEdit *m_tempDecoctie = nullptr, *m_tempBrouwwater = nullptr, *m_tijdDecoctie = nullptr;
    QLabel *m_lblTempDecoctie = nullptr, *m_lblTijdDecoctie = nullptr, *m_lblTempBrouwwater = nullptr;
    QPushButton *m_plus = nullptr, *m_min = nullptr, *m_ok = nullptr, *m_cancel = nullptr;
    QWidget *m_help = nullptr;
    RowList<Row> m_rows;
    bool m_viaDecoctieAtOpen = false;
};

}  // namespace mostarium
