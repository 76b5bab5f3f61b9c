#pragma once

#include "Table.h"

#include <QString>
#include <cstdint>

namespace mostarium {

// Bits of ReceptStatus, one per recipe part.
enum StatusBit : int {
    StatusDoelstellingen = 1,
    StatusMaischschema = 2,
    StatusStorting = 4,
    StatusHopgift = 8,
    StatusAlgemeen = 16,
    StatusHopgift2 = 32,
    StatusEvaluatie = 64,
    StatusGistkeuze = 128,
    StatusToevoegingen = 256,
    StatusKenmerken = 512,
};

// Column indices of a grain row and a hop row.
enum StortingCol { StIngred = 0, StPerc = 1, StBZR = 2, StEBC = 3, StLaat = 4 };
enum HopCol {
    HopSoort = 0,
    HopHoedanigheid = 1,
    HopAlfazuur = 2,
    HopGram = 3,
    HopPercBitterheid = 3,
    HopKooktijd = 4,
    HopGravity = 5,
    HopBerekendGram = 6
};

// The two beers of a double brew; a single brew has the first alone.
enum BeerIndex { FirstBeer = 0, SecondBeer = 1 };
// The targets of a beer in Doelstellingen: the first beer's at 1 to 5, the
// second beer's five further on.
enum TargetField { TargetVolume = 1, TargetAlcPerc = 2, TargetFG = 3, TargetEBU = 4, TargetKoolzuur = 5 };
constexpr int targetIndex(TargetField t, BeerIndex b) { return t + 5 * b; }
// The measured values of a beer: rows of Evaluatie, whose column is the beer.
enum MeasuredRow { MeasuredVolume = 0, MeasuredOG = 1, MeasuredFG = 2 };

// The seven tasting scales, in the order of the recipe file's section.
inline constexpr int KenmerkenCount = 7;

// The one open recipe with the installation's parameters and the values the
// recalculation derives. Plain data: the rules live with the code that writes it.
struct RecipeState {
    // Regional settings as found at start-up.
    QString OrigDecimalSeparator;
    QString OrigThousandSeparator;

    std::int32_t ReceptAttr = 0;
    QString Revision;

    // System parameters of the installation.
    std::int16_t KetelInhoud = 200;
    float MaximumAlcPerc = 20;
    float VolFilterPlaatBodem = 8;
    float FixedVolFilterPlaatBodem = 8;
    float FilterKuipInhoud = 150;
    float Evaporatie = 25;
    float BrouwVerlies = 0;

    // The same six equipment values as stored in the open recipe file.
    float ReceptKetelInhoud = 0;
    float ReceptFixedVolFilterPlaatBodem = 0;
    float ReceptVolFilterPlaatBodem = 0;
    float ReceptEvaporatie = 0;
    float ReceptFilterKuipInhoud = 0;
    float ReceptBrouwVerlies = 0;

    QString Biersoort1;
    QString Biersoort2;

    float CoefficientA = 0;
    float CoefficientB = 0;
    float CoefficientC = 0;
    float CoefficientD = 0;

    bool ReceptGewijzigd = false;
    float SpoelenTot = 3.0f;
    QString ReceptPath;
    bool ViaDecoctie = false;
    // Copies the mash dialog keeps of its decoction temperatures; nothing reads them.
    float DecoctieTempKopie = 0, BrouwWaterTempKopie = 0;
    QString Aantekening;
    std::int16_t InRecept = 0;
    QString ReceptNaam;
    std::int16_t ReceptStatus = 0;

    // Tasting words of the seven scales (Kleur, Helderheid, Schuim,
    // SchuimStabiliteit, Body, Mondgevoel, Koolzuur); part of the recipe.
    QString Kenmerken[KenmerkenCount];

    // Derived values.
    float OGSG = 0, OGSG2 = 0;
    float OGGL = 0, OGGL2 = 0;
    float TotaalExtract = 0;
    float TotaleStorting = 0;
    float StortingMaisch = 0;
    float BZRMaisch = 0;
    float BeslaanVolume = 0;
    float HWSG = 0;
    float HoofdwortVolume = 0;
    float VrijeHoofdwort = 0;
    float SpoelwortVolume = 0;
    float Spoelwater = 0;
    float OmslagL = 0, OmslagPlato = 0;
    float AromaEBU = 0;
    float KleurEBC = 0, KleurEBC2 = 0;
    float EvAlc = 0, EvAlc2 = 0;
    float EvBZR = 0, EvBZR2 = 0;
    float EvSVG = 0, EvSVG2 = 0;
    float EvEBU = 0, EvEBU2 = 0;
    float EvEBC = 0, EvEBC2 = 0;

    // Recipe parts.
    Table1D<QString> Algemeen;
    Table1D<float> Doelstellingen;
    Table2D<float> Maischschema;
    Table2D<QString> Storting;
    Table2D<QString> Aromahop, Bitterhop, Aromahop2, Bitterhop2;
    Table2D<QString> Evaluatie;
    Table1D<QString> Gistkeuze;
    Table1D<QString> Toevoegingen;

    RecipeState() { startUpShapes(); }

    // Shapes (and emptiness) of the arrays at start-up and after a reset.
    void startUpShapes();
    void resetShapes();

    // Bit arithmetic on the whole value: add only when clear, subtract only
    // when set.
    void setStatus(int bit);
    void clearStatus(int bit);
    bool hasStatus(int bit) const { return (ReceptStatus & bit) != 0; }
};

// The first beer's targets and measured values belong to the recipe in both
// brew modes. A double brew shows the targets bit only while its second beer
// has a target volume, and the measured-value bit only while that beer has a
// measured volume: without them there is no second-beer schedule or
// evaluation to show. A single brew shows either bit again once the first
// beer has a (measured) volume. The recipe file claims each bit whenever the
// first beer holds such values, so that no switch of brew mode followed by a
// save loses them; reading the file back gives the bits a switch gives.
namespace firstBeerValues {
// StatusDoelstellingen when a first-beer target is not 0, StatusEvaluatie
// when a first-beer measured value is filled in: the bits the file claims.
int fileBits(const RecipeState &r);
// Clears those of `bits` that a double brew's second beer has nothing for.
void clearWithoutSecondBeer(RecipeState &r, int bits);
// Sets those of `bits` that a single brew's first beer has a volume for.
void setWithFirstBeer(RecipeState &r, int bits);
}  // namespace firstBeerValues

}  // namespace mostarium
