#pragma once

// The two sample recipes as recipe states, in the shapes the reader gives.
// The same recipes stand as files in tests/data and resources/Recepten.

#include "core/RecipeState.h"
#include "core/Session.h"

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace mostarium::test {

inline const QString SampleRevision = QStringLiteral("Rev. 1.00 [0] 14 maart 2026");

inline void setRow(Table2D<QString> &t, int row, std::initializer_list<const char *> cells)
{
    int c = 0;
    for (const char *cell : cells)
        t(row, c++) = QString::fromUtf8(cell);
}

inline void setHops(Table2D<QString> &t, std::initializer_list<std::initializer_list<const char *>> rows)
{
    t.redim(int(rows.size()) - 1, 6);
    int r = 0;
    for (const auto &row : rows)
        setRow(t, r++, row);
}

// The equipment of the shipped ZYM.ini: the samples open on a fresh
// installation without the system-parameter question.
inline void installationDefaults(RecipeState &r)
{
    r.KetelInhoud = 200;
    r.FixedVolFilterPlaatBodem = 8;
    r.VolFilterPlaatBodem = 8;
    r.Evaporatie = 25;
    r.FilterKuipInhoud = 150;
    r.BrouwVerlies = 0;
}

// Single brew, infusion mash, no evaluation yet: 100 L for the shipped 200 L kettle.
inline Session zomerblond()
{
    Session s;
    RecipeState &r = s.recipe;
    s.app.dubbelBrouw = false;
    r.Revision = SampleRevision;
    installationDefaults(r);
    r.resetShapes();
    r.ReceptStatus = 415;

    const char *alg[] = {"Zomerblond", "Jan de Vries", "Anneke Bakker", "", "", "", "12-04-2026", "26-04-2026"};
    for (int i = 0; i < 8; ++i)
        r.Algemeen(i) = QString::fromUtf8(alg[i]);

    r.Doelstellingen.redim(5);
    r.Biersoort1 = QStringLiteral("Belgisch Blond");
    const float doel[] = {100, 6.5f, 1012, 22, 6.5f};
    for (int i = 0; i < 5; ++i)
        r.Doelstellingen(i + 1) = doel[i];

    r.Storting.redim(2, 4);
    setRow(r.Storting, 0, {"Pilsmout", "85", "0.8", "3.5", "0"});
    setRow(r.Storting, 1, {"Weense mout", "10", "0.78", "8", "0"});
    setRow(r.Storting, 2, {"Kandijsuiker wit", "5", "1", "1", "1"});

    r.Maischschema.redim(3, 4);
    r.Maischschema(0, 0) = 5.9f;
    r.Maischschema(0, 1) = 5.4f;
    const float rests[][2] = {{63, 45}, {72, 20}, {78, 5}};
    for (int i = 0; i < 3; ++i) {
        r.Maischschema(i + 1, 0) = rests[i][0];
        r.Maischschema(i + 1, 1) = rests[i][1];
    }
    r.SpoelenTot = 3;

    setHops(r.Aromahop, {{"Saaz", "pellets", "3.5", "100", "15", "1055"}});
    setHops(r.Bitterhop, {{"Hallertauer Magnum", "pellets", "12.5", "100", "60", "1050"}});

    r.Gistkeuze(0) = QStringLiteral("Safale US-05");
    r.Toevoegingen(0) = QStringLiteral("Korianderzaad 50 g");
    r.Toevoegingen(1) = QStringLiteral("Sinaasappelschil 75 g");

    r.Aantekening = QString::fromUtf8("Vergisten bij 18 \u00b0C, na 10 dagen bottelen. Fris en licht kruidig.");
    r.InRecept = 1;
    return s;
}

// Double brew with a decoction step, evaluated and tasted: 75 L and 25 L.
inline Session herfstbok()
{
    Session s;
    RecipeState &r = s.recipe;
    s.app.dubbelBrouw = true;
    r.Revision = SampleRevision;
    installationDefaults(r);
    r.resetShapes();
    r.ReceptStatus = 1023;

    const char *alg[] = {"Herfstbok", "Piet Jansen", "", "", "", "", "03-10-2026", "24-10-2026"};
    for (int i = 0; i < 8; ++i)
        r.Algemeen(i) = QString::fromUtf8(alg[i]);

    r.Doelstellingen.redim(10);
    r.Biersoort1 = QStringLiteral("Bokbier");
    r.Biersoort2 = QStringLiteral("Engelse Brown Ale");
    const float doel[] = {75, 7.5f, 1016, 25, 5, 25, 4.5f, 1010, 15, 5.5f};
    for (int i = 0; i < 10; ++i)
        r.Doelstellingen(i + 1) = doel[i];

    r.Storting.redim(3, 4);
    setRow(r.Storting, 0, {"Pilsmout", "55", "0.8", "3.5", "0"});
    setRow(r.Storting, 1, {"M\u00fcnchener mout", "35", "0.78", "15", "0"});
    setRow(r.Storting, 2, {"Caramunich", "8", "0.72", "120", "0"});
    setRow(r.Storting, 3, {"Chocolademout", "2", "0.65", "900", "0"});

    r.ViaDecoctie = true;
    r.Maischschema.redim(4, 4);
    r.Maischschema(0, 0) = 5.2f;
    r.Maischschema(0, 1) = 5.3f;
    r.Maischschema(0, 2) = 100;
    r.Maischschema(0, 3) = 40;
    r.Maischschema(0, 4) = 10;
    const float rests[][2] = {{52, 15}, {63, 40}, {72, 20}, {78, 10}};
    for (int i = 0; i < 4; ++i) {
        r.Maischschema(i + 1, 0) = rests[i][0];
        r.Maischschema(i + 1, 1) = rests[i][1];
    }
    r.SpoelenTot = 3;

    setHops(r.Aromahop, {{"Hallertauer Mittelfr\u00fch", "bloemen", "4.2", "75", "10", "1062"}});
    setHops(r.Bitterhop, {{"Northern Brewer", "pellets", "8.5", "80", "75", "1060"},
                          {"Tettnanger", "pellets", "4.5", "20", "30", "1061"}});
    setHops(r.Aromahop2, {{"Saaz", "pellets", "3.5", "25", "5", "1032"}});
    setHops(r.Bitterhop2, {{"Hallertauer Magnum", "pellets", "12.5", "100", "60", "1030"}});

    r.Gistkeuze(0) = QStringLiteral("Wyeast 2206 Bavarian Lager");
    r.Gistkeuze(5) = QStringLiteral("Safale S-04");
    r.Toevoegingen(0) = QStringLiteral("Ierse mos 20 g");
    r.Toevoegingen(5) = QStringLiteral("Ierse mos 6 g");

    r.Evaluatie.redim(2, 1);
    setRow(r.Evaluatie, 0, {"74", "25"});
    setRow(r.Evaluatie, 1, {"1071", "1041"});
    setRow(r.Evaluatie, 2, {"1018", "1011"});

    const char *words[] = {"donker koper", "helder", "slagroom", "laagje", "tamelijk vol", "alcoholwarmend", "normaal"};
    for (int i = 0; i < KenmerkenCount; ++i)
        r.Kenmerken[i] = QString::fromUtf8(words[i]);

    r.Aantekening =
        QStringLiteral("Decoctie: een kwart van het beslag apart koken. Dunbier van de naloop na de omslag.");
    r.InRecept = 0;
    return s;
}

}  // namespace mostarium::test
