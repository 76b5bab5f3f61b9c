#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace mostarium {

// 0xRRGGBB
using Rgb = std::uint32_t;
inline constexpr Rgb RgbBlack = 0x000000;
inline constexpr Rgb RgbBlue = 0x0000FF;
inline constexpr Rgb RgbRed = 0xFF0000;
inline constexpr Rgb RgbLateGrain = 0xFFFF94;   // RGB(255, 255, 148)
inline constexpr Rgb RgbWindowBack = 0xCDD1CB;  // RGB(205, 209, 203)

// Empties a text. Its buffer stays for the next text unless someone else (a
// window's copy) still shares it: every recalculation rewrites the whole
// schedule with texts of about the same length.
inline void blankText(QString &text)
{
    if (text.isDetached())
        text.resize(0);
    else
        text.clear();
}

// Replaces a text by `parts` (a text or a concatenation of texts), in the
// buffer it already has where that can be done.
template <typename Pieces>
void writeText(QString &text, const Pieces &parts)
{
    if (!text.isEmpty())
        blankText(text);
    text += parts;
}

struct LabelSlot {
    QString text;
    std::optional<Rgb> fore;  // unset: the window's default
    std::optional<Rgb> back;
    QString toolTip;
    bool visible = true;
    bool operator==(const LabelSlot &) const = default;

    template <typename Pieces>
    void setText(const Pieces &parts)
    {
        writeText(text, parts);
    }
};

struct FrameSlot {
    QString caption;
    bool visible = true;
    bool operator==(const FrameSlot &) const = default;
};

struct PanelSlot {
    QString text;
    bool enabled = true;
    QString toolTip;
    bool operator==(const PanelSlot &) const = default;
};

// What the sparge dialog (frmSpoelen) shows of the sparge model: the first-wort
// and sparge figures as texts. The sparge model writes them; the dialog only
// shows them. Defaults are the dialog's design captions.
struct SpargeView {
    QString lblSpSGHoofdWort = QStringLiteral("SG Hoofdwort (kg/m3):");
    QString lblSpSGHoofdwortPlato = QStringLiteral("Hoofdwort (\u00BAPlato):");
    QString lblSPVolWort = QStringLiteral("Wort na spoelen (L):");
    QString lblSpSpoelwater = QStringLiteral("Benodigd spoelwater (L):");
    QString lblSpVolHoofdWort = QStringLiteral("Volume hoofdwort (L):");
    QString lblSpVolHoofdWortToolTip;
    QString txtSPSpoelenTot;            // sparge-until gravity, Plato, one decimal
    QString txtSpWerkelijkSGHoofdwort;  // first-wort gravity, Plato
    bool operator==(const SpargeView &) const = default;
};

// The main window's schedule and evaluation as data: one slot per label and
// frame the recalculation writes. The window shows it; reports, the shopping
// list and the tests read the same slots.
struct DisplayModel {
    // Frames.
    FrameSlot fraBrouwSchema{QStringLiteral(" Brouwschema "), false};
    FrameSlot fraBSIngrdienten{QStringLiteral(" Ingredienten storting ")};
    FrameSlot fraBSMaiscschema{QStringLiteral(" Maischschema ")};
    FrameSlot fraBSSpoelen{QStringLiteral(" Spoelen ")};
    FrameSlot fraBSAHop{QStringLiteral(" Aromahop ")};
    FrameSlot fraBSBHop{QStringLiteral(" Bitterhop ")};
    FrameSlot fraAhop2{QStringLiteral(" Aromahop dunbier ")};
    FrameSlot fraBhop2{QStringLiteral(" Bitterhop dunbier ")};
    FrameSlot fraEvaluatie{QStringLiteral(" Evaluatie "), false};
    FrameSlot fraEvalDS{QStringLiteral(" Doelstellingen ")};
    FrameSlot fraEvalDS2{QStringLiteral(" Doelstellingen dunbier ")};
    FrameSlot fraEvalEv{QStringLiteral(" Evaluatie ")};
    FrameSlot fraEvalEv2{QStringLiteral(" Evaluatie dunbier ")};

    // Schedule labels.
    std::array<LabelSlot, 10> lbl_StIngred;
    std::array<LabelSlot, 7> lbl_MS;
    LabelSlot lblMDecoctieStap, lbl_L_inmaischen, lbl_pH_Maisch, lbl_vol_maisch;
    LabelSlot lbl_SG_Hoofdwort, lbl_Plato_Hoofdwort, lbl_SpoelenTot, lbl_L_spoelwater, lbl_L_WortnaSpoelen,
        lbl_VerwachtSGNaSpoelen, lbl_verwachtOG, lbl_VerwachtOG2, lbl_SGOvergang, lbl_VolOvergang,
        lbl_VerwachteKooktijd;
    std::array<LabelSlot, 4> lbl_Ahop, lbl_Bhop, lbl_Ahop2, lbl_Bhop2;

    // Evaluation labels.
    std::array<LabelSlot, 5> lbl_EvDS, lbl_EvDS2;
    LabelSlot lbl_Eval_vol, lbl_Eval_FGOG, lbl_Eval_BZR, lbl_Eval_EBU, lbl_Eval_EBC;
    LabelSlot lbl_Eval2_vol, lbl_Eval2_FGOG, lbl_Eval2_BZR, lbl_Eval2_EBU, lbl_Eval2_EBC;

    // The sparge dialog's figures.
    SpargeView spoelen;

    // Status bar, panels 1..10 at index 0..9.
    std::array<PanelSlot, 10> panels;

    // Bumped by every change a window should pick up.
    std::uint64_t revision = 0;

    DisplayModel();

    // Lookup by object name ("lbl_StIngred_3", "fraBSAHop"); nullptr when unknown.
    LabelSlot *label(QStringView objectName);
    FrameSlot *frame(QStringView objectName);
    void forEachLabel(const std::function<void(const QString &, LabelSlot &)> &fn);
    void forEachFrame(const std::function<void(const QString &, FrameSlot &)> &fn);
};

}  // namespace mostarium
