#pragma once

#include "RtfReport.h"

#include "platform/WindowBase.h"

#include <stdexcept>

class QTextEdit;

namespace mostarium {

// What the print dialog asks of the report.
struct ReportRequest {
    bool printer = false;
    bool screen = false;
    bool file = false;
    QString fileName;  // the user's RTF file, with its ".rtf"
};

// A report that cannot be built, shown or printed: `message` says why in the
// user's words, naming the file.
class ReportFailed : public std::runtime_error {
public:
    explicit ReportFailed(const QString &text) : std::runtime_error(text.toStdString()), message(text) {}
    QString message;
};

// A template the report refuses (too large, empty, not RTF), or a report
// file that cannot be written: `message` names the file and the cause for
// the user.
class ReportRefused : public ReportFailed {
public:
    using ReportFailed::ReportFailed;
};

// The brewing schedule from the brew mode's template: filled, saved as the
// scratch copy, printed and saved under the user's name as asked, and shown.
class frmReport : public WindowBase {
    Q_OBJECT
public:
    frmReport(Session &s, Services &svc, QWidget *parent = nullptr);

    // Builds the report and does its printer and file outputs. A missing
    // template or a calculation error throws; the print dialog reports it. A
    // template too large, empty or not RTF throws ReportRefused before
    // anything is written; so does a report file that cannot be written,
    // naming it and why. A cancelled printer dialog is no error; a failed
    // print is said by PrintRapport and the file output still follows.
    void MaakRapport(const ReportRequest &request);
    // The scratch copy of the brew mode into the box; ReportFailed when it
    // cannot be read.
    void loadScratch();
    // Prints the scratch copy; a copy that cannot be read or a PDF file that
    // cannot be written is named in a message.
    void PrintRapport();

    QTextEdit *box() const { return m_box; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeBox();
    void loadInto(const QString &path);
    // False when the text is too tall for the box; the box keeps what it showed.
    bool showRtf(const QByteArray &rtf);

    QTextEdit *m_box = nullptr;
    QByteArray m_shown;     // what the box was last read from
    bool m_filled = false;  // the box holds a template or a report
};

// The sparge-curve picture of the open recipe as PNG, when its file exists
// and is a picture.
std::optional<RtfPicture> spoelcurvePicture(const Session &s);

}  // namespace mostarium
