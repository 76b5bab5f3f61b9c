#pragma once

#include "RecipeDialog.h"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace mostarium {

class NumericEdit;

// The targets of each beer (volume, alcohol, final gravity, bitterness,
// carbonation) and its style. A single brew shows only the first beer: the
// opener makes the window narrow and the second beer's fields are left alone.
class frmDoelstellingen : public RecipeDialog {
    Q_OBJECT
public:
    frmDoelstellingen(Session &s, Services &svc, QWidget *parent = nullptr);

    // Every visited box marked red or white; true when none failed.
    bool ControleerWaarden();
    // The aroma-hop grams rescaled to the volumes in the boxes, while the
    // targets still hold the old volumes.
    void ScaleAromahop();
    void StoreDoelstellingen();
    // Both style combos from the list, the stored styles' descriptions.
    void FillBierSoorten();

private:
    // A style chosen in the combo of beer 0 or 1: stored at once.
    void comBier_Click(int beer);
    void showDescription(int beer, const QStringList &lines);
    void loadTargets();

    bool check() override { return ControleerWaarden(); }
    void beforeStore() override { ScaleAromahop(); }
    void store() override { StoreDoelstellingen(); }
    void onCancelled() override;

    QString &style(int beer);

    std::array<NumericEdit *, 10> m_boxes{};
    std::array<QLabel *, 10> m_labels{};
    std::array<QComboBox *, 2> m_combos{};
    std::array<QLabel *, 2> m_info{};
    std::array<QGroupBox *, 2> m_styleFrames{};
    std::array<QGroupBox *, 2> m_targetFrames{};
    // The style names found at opening; Cancel puts them back.
    std::array<QString, 2> m_stylesAtOpening;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

}  // namespace mostarium
