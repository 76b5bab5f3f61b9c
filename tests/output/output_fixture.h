#pragma once

#include "output_support.h"

#include "mainwindow/mainwindow_fixture.h"

#include "core/Recalc.h"
#include "mainwindow/OpenRecept.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>

namespace mostarium::test {

// The main window with a sample recipe open and recalculated; helpers to
// drive the print dialog as a person would.
class OutputTest : public MainWindowTest {
protected:
    void open(const char *sample)
    {
        ASSERT_TRUE(OpenRecept(session(), folder.file(QStringLiteral("Recepten/") + QLatin1String(sample))));
        UpdateBrouwschema(session());
    }

    static QCheckBox *check(const char *name) { return in<QCheckBox>("frmAfdrukken", name); }
    static QLineEdit *box(const char *name) { return in<QLineEdit>("frmAfdrukken", name); }
    static void ok() { in<QPushButton>("frmAfdrukken", "cmdAfdOK")->click(); }
    static QString reportText() { return in<QTextEdit>("frmReport", "rtbReport")->toPlainText(); }

    // The print dialog's OK with the report shown on the screen too and
    // printed to "rapport.pdf" in the scratch folder; the PDF's path.
    QString printShownToPdf()
    {
        check("chkNaarScherm")->setChecked(true);
        const QString pdf = folder.file(QStringLiteral("rapport.pdf"));
        fake.printAnswers.push_back(pdf);
        ok();
        return pdf;
    }

    QString pdfText(const QString &pdf)
    {
        bool found = false;
        const QString text =
            toolText(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}, &found);
        if (!found)
            ADD_FAILURE() << "pdftotext is not installed (scripts/install-deps.sh test)";
        return text;
    }

    // The words of `shown` (runs of letters) that the PDF's text does not
    // hold whole: a ligature printed as one glyph leaves a gap in its word
    // ("Bi erheid").
    QStringList wordsMissingFromPdf(const QString &shown, const QString &pdf)
    {
        const QString text = pdfText(pdf);
        QStringList missing;
        for (const QString &word : shown.split(QRegularExpression(QStringLiteral("\\P{L}+")), Qt::SkipEmptyParts))
            if (!text.contains(word) && !missing.contains(word))
                missing << word;
        return missing;
    }

    static QByteArray bytes(const QString &path) { return fileBytes(path); }
};

}  // namespace mostarium::test
