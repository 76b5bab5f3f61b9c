// Letters the recipe file cannot hold, typed into any recipe dialog: the
// recipe keeps each as its nearest, the dialog shows that when opened again,
// and the file holds what the screen shows.
#include "open_dialog_fixture.h"

#include "core/Cp1252.h"
#include "editors/frmAantekeningen.h"

#include <QPlainTextEdit>
#include <QTest>
#include <functional>

using namespace mostarium;
using namespace mostarium::test;

namespace {

class KeptLettersTest : public OpenDialogTest {};

QString shown(QWidget *box)
{
    if (auto *e = qobject_cast<QLineEdit *>(box))
        return e->text();
    if (auto *t = qobject_cast<LimitedTextEdit *>(box))
        return t->notesText();
    return QStringLiteral("<no text box>");
}

}  // namespace

TEST_F(KeptLettersTest, EveryTextBoxStoresTheNearestLetters)
{
    const QString path = openCopy(QStringLiteral("Letters.zlv"), QStringLiteral("Zomerblond.zlv"));
    const struct {
        const char *command, *window, *box, *ok;
        const char16_t *typed, *kept;
        std::function<QString(const RecipeState &)> stored;
    } cases[] = {
        {"mnuAlgemeen", "frmAlgemeen", "txtAlgBierNaam", "cmdAlgOK", u"\u010cern\u00e9 pivo \u0142",
         u"Cern\u00e9 pivo l", [](const RecipeState &r) { return r.Algemeen(0); }},
        {"mnuAlgemeen", "frmAlgemeen", "txtAlgBrouwers_0", "cmdAlgOK", u"\u0141ukasz Ko\u0142odziej",
         u"Lukasz Kolodziej", [](const RecipeState &r) { return r.Algemeen(1); }},
        {"mnuStorting", "frmStorting", "txtStIngred_0", "cmdStOK", u"Plze\u0148sk\u00fd slad", u"Plzensk\u00fd slad",
         [](const RecipeState &r) { return r.Storting(0, StIngred); }},
        {"mnuHopgift", "frmHopgift", "txtBHSoort_0", "cmdHGOK", u"\u017dateck\u00fd \u010derve\u0148\u00e1k",
         u"\u017dateck\u00fd cerven\u00e1k", [](const RecipeState &r) { return r.Bitterhop(0, HopSoort); }},
        {"mnuGistKeuze", "frmGistKeuze", "txtGKgist_0", "cmdGKOK", u"Kvasnice \u010d. 2 \u65e5", u"Kvasnice c. 2 ?",
         [](const RecipeState &r) { return r.Gistkeuze(0); }},
        {"mnuToeVoegingen", "frmToevoegingen", "txtToev_0", "cmdToeVOK", u"Km\u00edn \u0159 5 g", u"Km\u00edn r 5 g",
         [](const RecipeState &r) { return r.Toevoegingen(0); }},
        {"mnuAantekeningen", "frmAantekeningen", "txtAantekeningen", "cmdAanT_OK", u"Rmut \u2014 \u011b\u011b",
         u"Rmut \u2014 ee", [](const RecipeState &r) { return r.Aantekening; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.box);
        const QString typed = QString::fromUtf16(c.typed), kept = QString::fromUtf16(c.kept);
        QWidget *d = open(c.command, c.window);
        ASSERT_NE(d, nullptr);
        QWidget *box = in<QWidget>(d, QLatin1String(c.box));
        ASSERT_NE(box, nullptr);
        box->setFocus();
        if (auto *e = qobject_cast<QLineEdit *>(box))
            e->selectAll();
        else
            qobject_cast<QPlainTextEdit *>(box)->selectAll();
        // Letters beyond ASCII come as the keyboard sends them: a key with its text.
        for (QChar ch : typed)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        ASSERT_EQ(shown(box), typed) << "shown whole while typing";
        press(d, c.ok);
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_EQ(c.stored(s().recipe), kept);

        // Opened again, the dialog shows what the recipe keeps.
        d = open(c.command, c.window);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(shown(in<QWidget>(d, QLatin1String(c.box))), kept);
        d->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fake.clear();
    }

    trigger("mnuOpslaan");
    const QString file = cp1252::decode(bytes(path));
    for (const auto &c : cases)
        EXPECT_TRUE(file.contains(u'=' + QString::fromUtf16(c.kept) + QStringLiteral("\r\n")))
            << qPrintable(QString::fromUtf16(c.kept));
}

// A stored text longer than a text box holds (32,767 characters, as a recipe
// file or an import may bring) survives an OK that leaves its box alone.
TEST_F(KeptLettersTest, ALongStoredTextLeftAloneStaysWhole)
{
    openCopy(QStringLiteral("Lang.zlv"), QStringLiteral("Zomerblond.zlv"));
    const QString longText = QStringLiteral("Begin") + QString(100'000, u'x') + QStringLiteral("Eind");
    const struct {
        const char *command, *window, *ok;
        std::function<QString &(RecipeState &)> cell;
    } cases[] = {
        {"mnuStorting", "frmStorting", "cmdStOK", [](RecipeState &r) -> QString & { return r.Storting(0, StIngred); }},
        {"mnuHopgift", "frmHopgift", "cmdHGOK", [](RecipeState &r) -> QString & { return r.Bitterhop(0, HopSoort); }},
        {"mnuGistKeuze", "frmGistKeuze", "cmdGKOK", [](RecipeState &r) -> QString & { return r.Gistkeuze(0); }},
        {"mnuToeVoegingen", "frmToevoegingen", "cmdToeVOK",
         [](RecipeState &r) -> QString & { return r.Toevoegingen(0); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.window);
        c.cell(s().recipe) = longText;
        QWidget *d = open(c.command, c.window);
        ASSERT_NE(d, nullptr);
        press(d, c.ok);
        EXPECT_TRUE(fake.messages.empty()) << qPrintable(fake.prompts().join(u'|'));
        EXPECT_EQ(c.cell(s().recipe).size(), longText.size());
        EXPECT_TRUE(c.cell(s().recipe) == longText);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fake.clear();
    }
}
