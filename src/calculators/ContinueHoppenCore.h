#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// Continuous hopping: additions at a fixed interval from the start of the
// boil that together give a wanted bitterness. No window here.
namespace mostarium::calc {

enum class ChModus { GelijkeGrammen = 0, GelijkeEBU = 1, LineaireEBU = 2 };

// The boxes' texts, as typed.
struct ContinueHoppenInput {
    QString doelEBU, kooktijd, interval, startSG, eindSG, alfazuur, vorm, volume, ebuVerschil, prefix;
    ChModus modus = ChModus::GelijkeGrammen;
};

struct ContinueHoppenCheck {
    bool doelEBU = false, kooktijd = false, interval = false, startSG = false, eindSG = false, alfazuur = false,
         vorm = false, volume = false, prefix = false;  // true: bad
    QString status;                                     // the last relation or prefix text, if any
    bool good() const;
};
// The dialog's checks; the minute boxes on their whole minutes, and the hop
// form must name "bloemen" or "pellets".
ContinueHoppenCheck controleerContinueHoppen(const ContinueHoppenInput &in);

// The number of additions; the modes of equal EBU leave out an addition at
// the very end of the boil.
int aantalHopgiften(const QString &kooktijd, const QString &interval, ChModus modus);

inline constexpr int ChColumns = 7;
using ChRow = std::array<QString, ChColumns>;
const ChRow &chHeader();

struct ContinueHoppenSchema {
    int n = 0;
    // The difference of the linear mode leaves an addition at 0 EBU or less:
    // no rows then.
    bool teGroot = false;
    std::vector<ChRow> rows;
    QString totaal;        // the total grams as shown
    double totaalEBU = 0;  // the bitterness of all additions together
    double totaalGram = 0;
};
// CalcError when a value does not fit its type or a division has no value.
ContinueHoppenSchema continueHoppen(const ContinueHoppenInput &in);

QString aantalText(int n);                // "Aantal Hopgiften: 7"
QString totaalText(const QString &gram);  // "Totale Hopgift (gr): 123.4"
QString teGrootText();

// The report: the nine labelled inputs, an empty line, the grid's rows.
QStringList continueHoppenLines(const QStringList &labelled, const std::vector<ChRow> &grid);

}  // namespace mostarium::calc
