#pragma once

#include "RecipeDialog.h"

#include <QPlainTextEdit>

class QCheckBox;
class QLabel;

namespace mostarium {

// A multi-line box with a maximum length in which a line break counts two
// characters (CR LF in the recipe); typing and pasting stop at the limit, a longer
// text set from the recipe shows whole and can only be shortened.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedTextEdit(int maxLength, QWidget *parent = nullptr);

    int maxLength() const { return m_max; }
    // The length as the limit counts it.
    int length() const;
    static int lengthOf(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
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
    QLabel *m_counter = nullptr;
    QCheckBox *m_inRecept = nullptr;
};

}  // namespace mostarium
