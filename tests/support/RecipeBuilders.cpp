#include "RecipeBuilders.h"

#include <QRegularExpression>

namespace mostarium::test {

void setTargets(Session &s, std::initializer_list<float> beer1, std::initializer_list<float> beer2)
{
    RecipeState &r = s.recipe;
    const bool dubbel = beer2.size() > 0;
    r.Doelstellingen.redim(dubbel ? 10 : 5);
    int i = 1;
    for (float v : beer1)
        r.Doelstellingen(i++) = v;
    i = 6;
    for (float v : beer2)
        r.Doelstellingen(i++) = v;
    s.app.dubbelBrouw = dubbel;
    r.Evaluatie.redim(2, dubbel ? 1 : 0);
    r.setStatus(StatusDoelstellingen);
}

void setGrainBill(Session &s, std::initializer_list<Grain> rows)
{
    RecipeState &r = s.recipe;
    r.Storting.redim(int(rows.size()) - 1, 4);
    int i = 0;
    for (const Grain &g : rows) {
        r.Storting(i, StIngred) = QString::fromUtf8(g.name);
        r.Storting(i, StPerc) = QString::fromUtf8(g.perc);
        r.Storting(i, StBZR) = QString::fromUtf8(g.bzr);
        r.Storting(i, StEBC) = QString::fromUtf8(g.ebc);
        r.Storting(i, StLaat) = QString::fromUtf8(g.laat);
        ++i;
    }
    r.setStatus(StatusStorting);
}

void setMash(Session &s, float ratio, float ph, std::initializer_list<Rest> rests)
{
    RecipeState &r = s.recipe;
    r.Maischschema.redim(int(rests.size()), 4);
    r.Maischschema(0, 0) = ratio;
    r.Maischschema(0, 1) = ph;
    int i = 1;
    for (const Rest &x : rests) {
        r.Maischschema(i, 0) = x.temp;
        r.Maischschema(i, 1) = x.minutes;
        ++i;
    }
    r.setStatus(StatusMaischschema);
}

void setDecoction(Session &s, float decoctionTemp, float waterTemp, float minutes)
{
    RecipeState &r = s.recipe;
    r.ViaDecoctie = true;
    r.Maischschema(0, 2) = decoctionTemp;
    r.Maischschema(0, 3) = waterTemp;
    r.Maischschema(0, 4) = minutes;
}

void setHops(Table2D<QString> &list, std::initializer_list<Hop> rows)
{
    list.redim(int(rows.size()) - 1, 6);
    int i = 0;
    for (const Hop &h : rows) {
        list(i, HopSoort) = QString::fromUtf8(h.soort);
        list(i, HopHoedanigheid) = QString::fromUtf8(h.form);
        list(i, HopAlfazuur) = QString::fromUtf8(h.alfa);
        list(i, HopGram) = QString::fromUtf8(h.amount);
        list(i, HopKooktijd) = QString::fromUtf8(h.minutes);
        list(i, HopGravity) = QString::fromUtf8(h.gravity);
        ++i;
    }
}

QStringList nonFiniteTexts(Session &s)
{
    static const QRegularExpression bad(QStringLiteral("(^|[^a-z])(nan|inf)([^a-z]|$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    QStringList hits;
    auto check = [&](const QString &name, const QString &text) {
        if (text.contains(bad))
            hits << name + QStringLiteral(": ") + text;
    };
    s.view.forEachLabel([&](const QString &name, LabelSlot &l) {
        check(name, l.text);
        check(name + QStringLiteral(".toolTip"), l.toolTip);
    });
    s.view.forEachFrame([&](const QString &name, FrameSlot &f) { check(name, f.caption); });
    for (std::size_t i = 0; i < s.view.panels.size(); ++i)
        check(QStringLiteral("panel %1").arg(i + 1), s.view.panels[i].text);
    const SpargeView &v = s.view.spoelen;
    check(QStringLiteral("lblSpSGHoofdWort"), v.lblSpSGHoofdWort);
    check(QStringLiteral("lblSpSGHoofdwortPlato"), v.lblSpSGHoofdwortPlato);
    check(QStringLiteral("lblSPVolWort"), v.lblSPVolWort);
    check(QStringLiteral("lblSpSpoelwater"), v.lblSpSpoelwater);
    check(QStringLiteral("lblSpVolHoofdWort"), v.lblSpVolHoofdWort);
    check(QStringLiteral("lblSpVolHoofdWort.toolTip"), v.lblSpVolHoofdWortToolTip);
    check(QStringLiteral("txtSPSpoelenTot"), v.txtSPSpoelenTot);
    check(QStringLiteral("txtSpWerkelijkSGHoofdwort"), v.txtSpWerkelijkSGHoofdwort);
    for (auto *list : {&s.recipe.Bitterhop, &s.recipe.Bitterhop2})
        for (int i = 0; i < list->rows(); ++i)
            if (list->cols() > HopBerekendGram)
                check(QStringLiteral("Bitterhop grams"), (*list)(i, HopBerekendGram));
    return hits;
}

void setMeasured(Session &s, int beer, const char *volume, const char *og, const char *fg)
{
    RecipeState &r = s.recipe;
    r.Evaluatie(0, beer) = QString::fromUtf8(volume);
    r.Evaluatie(1, beer) = QString::fromUtf8(og);
    r.Evaluatie(2, beer) = QString::fromUtf8(fg);
    r.setStatus(StatusEvaluatie);
}

Session singleBrew()
{
    Session s;
    s.recipe.Algemeen(0) = QStringLiteral("Blond");
    setTargets(s, {20, 5, 1012, 30, 5});
    setGrainBill(s, {{"Pilsmout", "90", "0.78", "4"}, {"Munich", "10", "0.75", "15"}});
    setMash(s, 3, 5.4f, {{52, 10}, {63, 30}, {72, 20}, {78, 5}});
    setHops(s.recipe.Aromahop, {{"Saaz", "bloemen", "3.5", "20", "15", "1048"}});
    setHops(s.recipe.Bitterhop, {{"Magnum", " Pellets ", "12", "100", "60", "1048"}});
    s.recipe.setStatus(StatusHopgift);
    return s;
}

Session decoctionBrew()
{
    Session s = singleBrew();
    setDecoction(s, 100, 35, 20);
    return s;
}

Session lateGrainBrew()
{
    Session s = singleBrew();
    setGrainBill(s, {{"Pilsmout", "80", "0.78", "4"}, {"Munich", "10", "0.75", "15"}, {"Kandij", "10", "1", "2", "1"}});
    return s;
}

Session failingBrew()
{
    Session s = singleBrew();
    setGrainBill(s, {{"Pilsmout", "90", "0.78", "4"}, {"Munich", "10", "0", "15"}});
    return s;
}

Session doubleBrew()
{
    Session s;
    s.recipe.Algemeen(0) = QStringLiteral("Tripel");
    setTargets(s, {20, 8, 1012, 35, 6}, {15, 4, 1008, 20, 5});
    setGrainBill(s, {{"Pilsmout", "60", "0.78", "4"},
                     {"Pale ale", "10", "0.79", "6"},
                     {"Munich", "6", "0.75", "15"},
                     {"Weense mout", "5", "0.76", "8"},
                     {"Tarwemout", "5", "0.80", "4"},
                     {"Haver", "3", "0.70", "3"},
                     {"Cara 50", "3", "0.72", "50"},
                     {"Biscuit", "2", "0.74", "50"},
                     {"Aromatisch", "2", "0.75", "60"},
                     {"Kandij", "4", "1", "2", "1"}});
    setMash(s, 3, 5.3f, {{45, 15}, {52, 10}, {62, 30}, {66, 20}, {72, 20}, {75, 5}, {78, 5}});
    setHops(s.recipe.Aromahop, {{"Saaz", "bloemen", "3.5", "20", "15", "1070"},
                                {"Hallertau", "pellets", "4", "15", "10", "1070"},
                                {"Styrian", "pellets", "5", "10", "5", "1070"},
                                {"Saaz", "bloemen", "3.5", "10", "1", "1070"}});
    setHops(s.recipe.Bitterhop, {{"Magnum", "pellets", "12", "50", "90", "1070"},
                                 {"Northern Brewer", "pellets", "8", "20", "60", "1070"},
                                 {"Challenger", "bloemen", "7", "20", "45", "1070"},
                                 {"Target", "pellets", "10", "10", "30", "1070"}});
    s.recipe.setStatus(StatusHopgift);
    setHops(s.recipe.Aromahop2, {{"Saaz", "bloemen", "3.5", "10", "15", "1040"},
                                 {"Hallertau", "pellets", "4", "10", "10", "1040"},
                                 {"Styrian", "pellets", "5", "5", "5", "1040"},
                                 {"Perle", "pellets", "4", "5", "1", "1040"}});
    setHops(s.recipe.Bitterhop2, {{"Magnum", "pellets", "12", "40", "90", "1040"},
                                  {"Northern Brewer", "pellets", "8", "30", "60", "1040"},
                                  {"Challenger", "bloemen", "7", "20", "45", "1040"},
                                  {"Target", "pellets", "10", "10", "30", "1040"}});
    s.recipe.setStatus(StatusHopgift2);
    return s;
}

}  // namespace mostarium::test
