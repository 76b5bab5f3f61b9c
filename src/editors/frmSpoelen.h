#pragma once

#include "PlotGraphics.h"
#include "RecipeDialog.h"

#include "core/Spoelcurve.h"

#include <QImage>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;

namespace mostarium {

class NumericEdit;

// Sparging: the sparge-until gravity and a measured first wort, the sparge
// model's expectations, and the sparge curve drawn on the dialog's own
// surface with a read-out of the mouse position. OK stores only SpoelenTot.
class frmSpoelen : public RecipeDialog {
    Q_OBJECT
public:
    frmSpoelen(Session &s, Services &svc, QWidget *parent = nullptr);

    // What the dialog shows of its chart.
    bool hasCurve() const { return m_curve.has_value(); }
    const Spoelcurve *curve() const { return m_curve ? &*m_curve : nullptr; }
    const QImage &chart() const { return m_image; }
    const ChartTransform &transform() const { return m_transform; }

protected:
    bool check() override;
    void store() override;
    void afterStore() override;
    bool setsChangedFlag() const override { return false; }
    void onCancelled() override;
    void onCancel() override;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void leave(void (RecipeDialog::*how)());
    ChartPoint pointer(const QPointF &pos) const;
    SpoelControle ControleerSpoelen();
    void lostFocus(NumericEdit *box);
    void CalculateSpoelcurve();
    void PlotGraph();
    void showFigures();
    void placeBottomRow();

    NumericEdit *txtSPSpoelenTot;
    NumericEdit *txtSpWerkelijkSGHoofdwort;
    QLabel *lblSpSGHoofdWort, *lblSpSGHoofdwortPlato, *lblSpVolHoofdWort;
    QLabel *lblSPVolWort, *lblSpSpoelwater, *lblSPWisselVolume, *lblSPWisselSG;
    QLabel *lblSPCoordinaten;
    QPushButton *cmdSpoelOK, *cmdSpoelAnnuleer;
    QWidget *picSHelp;

    // As the dialog found them at load: Cancel puts SpoelenTot back, the
    // check measures the first wort against HWSG.
    float m_keptSpoelenTot = 0;
    float m_keptHWSG = 0;
    std::optional<Spoelcurve> m_curve;
    bool m_dumpFailureShown = false;  // the last curve's dump was not written, and that was said
    ChartTransform m_transform;
    QImage m_image;
    // OK or Cancel under way: the boxes losing the focus now is no edit.
    bool m_leaving = false;
};

// The sparge curve's picture for the reports, from the stored state, drawn
// off screen at `size` (pixels) and written whole while the option
// "Spoelcurve bij Recept" is on; deleted while it is off. Silent on failure.
void SaveSpoelcurveBitmap(Session &s, const QSize &size);

}  // namespace mostarium
