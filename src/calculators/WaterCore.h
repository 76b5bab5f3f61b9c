#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The water treatment without a window: a profile file read, the adjusted
// profile computed and the report's lines.
namespace mostarium::calc {

// The grid's columns, in order; also the keys of a profile file.
inline constexpr int WaterKolommen = 9;
using WaterRij = std::array<QString, WaterKolommen>;
const WaterRij &waterSleutels();  // "Ca", "Mg", ... "Alk"
const WaterRij &waterKoppen();    // the grid's header texts
QString waterRapportPad();        // temp\WaterProfiel.txt
QString waterProfielenMap();      // the program folder's WaterProfielen

// The salts in the dialog's row order.
enum Zout { CaSO4 = 0, CaCl2, CaCO3, MgSO4, NaCl, NaHCO3, ZoutAantal };

struct ZoutGift {
    double maximum = 0;  // grams at full scale
    int procent = 0;     // the scroll bar, 0 to 100
    double hydraat = 0;  // molecules of crystal water
};

struct WaterInvoer {
    double volume = 0;       // litres
    double demi = 0;         // percent demineralised water
    double ketelInhoud = 0;  // litres
    WaterRij water;          // row 1 as the grid shows it
    std::array<ZoutGift, ZoutAantal> zouten{};
};

// Row 2's cells in column order. nullopt when volume or share lie outside
// what is computed, so that row 2 stays as it was. Fewer than nine cells when
// a value went beyond single precision: the cells before it stand, the rest
// and the report are not written.
std::optional<QStringList> waterProfiel(const WaterInvoer &in);

// Grams of a salt: the percentage of the maximum box.
double zoutGram(int procent, double maximum);
// "5.0 gr Calciumsulfaat (CaSO4)."
QString zoutLabel(Zout z, double gram);

// The report: the boxes as typed and the six amount labels (dialog row
// order), written in the report's own order.
QStringList waterRapport(const QString &volume, const QString &demi, const std::array<QString, ZoutAantal> &labels);

// The nine values of a profile file as the grid shows them; "0" for what is
// missing. Nothing when the file cannot be taken (refused, or a value beyond
// any number, as "1e999"): `fout` then says so, naming the file.
std::optional<WaterRij> leesWaterProfiel(const QString &path, QString *fout = nullptr);

}  // namespace mostarium::calc
