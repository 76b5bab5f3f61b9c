#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Recipe exchange files shaped like those other brewing programs write.
namespace mostarium::test::xml {

inline QByteArray utf8(const QString &s) { return s.toUtf8(); }

inline QString hop(const QString &name, const QString &time, const QString &form = QStringLiteral("Pellet"),
                   const QString &use = QStringLiteral("Boil"), const QString &amount = QStringLiteral("0.030"),
                   const QString &alpha = QStringLiteral("5.0"))
{
    QString h = QStringLiteral("<HOP><NAME>%1</NAME><VERSION>1</VERSION><ALPHA>%2</ALPHA><AMOUNT>%3</AMOUNT>"
                               "<USE>%4</USE><TIME>%5</TIME>")
                    .arg(name, alpha, amount, use, time);
    if (!form.isNull())
        h += QStringLiteral("<FORM>%1</FORM>").arg(form);
    return h + QStringLiteral("</HOP>");
}

inline QString fermentable(const QString &name, const QString &amount, const QString &color = QStringLiteral("2.0"),
                           const QString &type = QStringLiteral("Grain"), const QString &yield = QStringLiteral("80.0"))
{
    return QStringLiteral("<FERMENTABLE><NAME>%1</NAME><VERSION>1</VERSION><TYPE>%4</TYPE><AMOUNT>%2</AMOUNT>"
                          "<YIELD>%5</YIELD><COLOR>%3</COLOR></FERMENTABLE>")
        .arg(name, amount, color, type, yield);
}

inline QString step(int temp, int time)
{
    return QStringLiteral("<MASH_STEP><NAME>Rust</NAME><VERSION>1</VERSION><TYPE>Infusion</TYPE>"
                          "<STEP_TEMP>%1.0</STEP_TEMP><STEP_TIME>%2</STEP_TIME></MASH_STEP>")
        .arg(temp)
        .arg(time);
}

// The parts of one RECIPE; each may be replaced whole by a test.
struct Recipe {
    QString name = QStringLiteral("Saison de Noël");
    QString top = QStringLiteral("<BATCH_SIZE>20.0</BATCH_SIZE><OG>1.060</OG><FG>1.010</FG>");
    // The brewhouse efficiency the file's grain is weighed at.
    QString efficiency = QStringLiteral("<EFFICIENCY>75.0</EFFICIENCY>");
    QString hops = hop(QStringLiteral("Saaz"), QStringLiteral("60"))
                   + hop(QStringLiteral("Styrian Goldings"), QStringLiteral("5"));
    QString fermentables = fermentable(QStringLiteral("Pilsmout"), QStringLiteral("4.0"))
                           + fermentable(QStringLiteral("Tarwemout"), QStringLiteral("1.0"), QStringLiteral("3.0"));
    QString mash = QStringLiteral("<MASH><NAME>Single</NAME><PH>5.4</PH><MASH_STEPS>") + step(66, 60) + step(78, 10)
                   + QStringLiteral("</MASH_STEPS></MASH>");
    QString rest = QStringLiteral("<YEASTS><YEAST><NAME>Wyeast 3724 Belgian Saison</NAME></YEAST></YEASTS>"
                                  "<MISCS><MISC><NAME>Koriander</NAME><AMOUNT>0.015</AMOUNT>"
                                  "<AMOUNT_IS_WEIGHT>TRUE</AMOUNT_IS_WEIGHT></MISC></MISCS>"
                                  "<NOTES>Koud lageren</NOTES>");

    QString body() const
    {
        return QStringLiteral("<RECIPE><NAME>") + name
               + QStringLiteral("</NAME><VERSION>1</VERSION>"
                                "<TYPE>All Grain</TYPE><BREWER>Piet</BREWER>")
               + top + efficiency + QStringLiteral("<HOPS>") + hops + QStringLiteral("</HOPS><FERMENTABLES>")
               + fermentables + QStringLiteral("</FERMENTABLES>") + mash + rest + QStringLiteral("</RECIPE>");
    }
    // UTF-8 without a declaration.
    QByteArray bytes() const { return utf8(QStringLiteral("<RECIPES>") + body() + QStringLiteral("</RECIPES>")); }
};

}  // namespace mostarium::test::xml
