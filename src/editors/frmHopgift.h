#pragma once

#include "editors/DialogRows.h"
#include "editors/RecipeDialog.h"

#include "core/RecipeState.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace mostarium {

class NumericEdit;

// What ties the hop dialog to one beer: its lists, its estimated OG, its
// bounds, its bit and its names.
struct HopBindings {
    const char *window;
    const char *caption;
    Table2D<QString> RecipeState::*aroma;
    Table2D<QString> RecipeState::*bitter;
    float RecipeState::*og;
    // The second beer takes its after-sparge estimate from the sparge wort
    // alone and in every brew mode; the first beer only in a single brew.
    bool secondBeer;
    double alphaMax;
    int bit;
    const char *aromaFrame, *bitterFrame;
    const char *okButton, *helpPicture;

    static const HopBindings &first();
    static const HopBindings &second();
};

// The hop additions of one beer: an aroma list and a bitter list of one to
// four rows each (more when a file holds more; OK then refuses the extra).
class HopgiftDialog : public RecipeDialog {
    Q_OBJECT
public:
    // The rows "+" makes at most; the schedule has as many lines per list.
    static constexpr int MaxRows = 4;

    HopgiftDialog(const HopBindings &b, Session &s, Services &svc, QWidget *parent = nullptr);

    const HopBindings &bindings() const { return m_b; }

    // Marks every checked box, rewrites the shares and empties the aroma rows
    // without a variety; true when nothing failed.
    bool ControleerHopgift();
    // Both lists into the recipe state, with the beer's bit.
    void StoreHopgift();

    void cmdAHPlus_Click();
    void cmdBHPlus_Click();
    void cmdAHMin_Click();
    void cmsBHMin_Click();

    struct Row {
        QLineEdit *soort;
        QComboBox *vorm;
        NumericEdit *alfa, *hoeveel, *tijd, *grav;
        QList<QWidget *> widgets() const;
    };
    int aromaCount() const { return m_aroma.count(); }
    int bitterCount() const { return m_bitter.count(); }

protected:
    bool check() override { return ControleerHopgift(); }
    void store() override { StoreHopgift(); }
    QString successor() const override;

private:
    enum class List { Aroma, Bitter };
    Row makeRow(List list, int i, const Row *previous);
    void load();
    void loadRows(RowList<Row> &rows, const Table2D<QString> &t, QPushButton *plus);
    void setColumnTip(RowList<Row> &rows, NumericEdit *Row::*column, const QString &tip);
    QString ogTip() const;
    QString afterSpargeTip() const;
    // The add and remove buttons under the lists, the frames, the buttons and
    // the dialog's size, from the rows each list has now.
    void relayout();

    const HopBindings &m_b;
    QGroupBox *m_aromaFrame = nullptr, *m_bitterFrame = nullptr;
    QPushButton *m_ahPlus = nullptr, *m_ahMin = nullptr, *m_bhPlus = nullptr, *m_bhMin = nullptr;
    QPushButton *m_ok = nullptr, *m_cancel = nullptr;
    QWidget *m_help = nullptr;
    RowList<Row> m_aroma, m_bitter;
};

// The first beer's hops: the only beer of a single brew, the strong one of a
// double brew.
class frmHopgift : public HopgiftDialog {
public:
    frmHopgift(Session &s, Services &svc, QWidget *parent = nullptr)
        : HopgiftDialog(HopBindings::first(), s, svc, parent)
    {}
};

// The second beer's hops in a double brew.
class frmHopgift2 : public HopgiftDialog {
public:
    frmHopgift2(Session &s, Services &svc, QWidget *parent = nullptr)
        : HopgiftDialog(HopBindings::second(), s, svc, parent)
    {}
};

}  // namespace mostarium
