#pragma once

#include "QtPrint.h"
#include "core/Services.h"

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace mostarium::test {

// Records every question and answers from queues; an empty queue gives the
// answer a person pressing Escape would give.
class FakeServices : public Services {
public:
    struct Message {
        QString prompt;
        int style;
        QString title;
    };
    std::vector<Message> messages;
    std::deque<int> msgAnswers;

    struct Input {
        QString prompt, title, defaultText;
        InputKind kind;
    };
    std::vector<Input> inputs;
    std::deque<std::optional<QString>> inputAnswers;

    QStringList openDialogs, saveDialogs;  // titles asked
    std::deque<std::optional<QString>> openAnswers, saveAnswers;

    QStringList folderDialogs;  // titles asked
    std::deque<std::optional<QString>> folderAnswers;
    int beeps = 0;

    QStringList sounds, helpPages, urls;
    struct Start {
        QString program;
        QStringList arguments;
        bool wait;
    };
    std::vector<Start> programs;
    bool openUrlResult = true;
    bool startProgramResult = true;
    // Printer dialogs asked (whether the selection was offered) and their
    // answers: a PDF file to print into, or nullopt for Cancel.
    std::vector<bool> printDialogs;
    std::deque<std::optional<QString>> printAnswers;
    // Points the printer at the PDF file; set by the window tests' support,
    // since the core tests link no printing.
    using PdfPrinterSetup = void (*)(QPrinter &printer, const QString &pdf, bool selection);
    static PdfPrinterSetup pdfPrinterSetup;

    QDateTime clock = QDateTime(QDate(2026, 12, 10), QTime(12, 0));
    // Text files shown, and the answer of the text window.
    QStringList textFiles;
    bool showTextFileResult = true;
    int busyDepth = 0;
    int processEventsCalls = 0;

    int msgBox(const QString &prompt, int style, const QString &title) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title, const QString &defaultText,
                                    InputKind kind) override;
    std::optional<QString> openFileName(const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> saveFileName(const QString &title, const QString &path, const QString &filter) override;
    std::optional<QString> folderName(const QString &title, const QString &folder) override;
    void playSound(const QString &path, bool wait) override;
    void beep() override { ++beeps; }
    void showHelp(const QString &page) override;
    bool openUrl(const QString &url) override;
    bool startProgram(const QString &program, const QStringList &arguments, bool wait) override;
    QDateTime now() override { return clock; }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void processEvents() override { ++processEventsCalls; }
    bool printDialog(QPrinter &printer, bool offerSelection) override;
    bool showTextFile(const QString &path) override
    {
        textFiles << path;
        return showTextFileResult;
    }

    QStringList prompts() const;
    void clear();
};

// Installs a fake for the lifetime of a test.
class ScopedFakeServices : public FakeServices {
public:
    ScopedFakeServices() { m_old = setServices(this); }
    ~ScopedFakeServices() override { setServices(m_old); }

private:
    Services *m_old = nullptr;
};

}  // namespace mostarium::test
