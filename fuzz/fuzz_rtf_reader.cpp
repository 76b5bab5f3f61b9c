// Feeds arbitrary bytes to the RTF reader: a damaged or hand-edited report,
// judging sheet or units text must never crash it or make it hang.

#include "output/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Fonts and pictures want a GUI application; no screen is needed.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QTextDocument doc;
    mostarium::readRtf(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), doc);
    (void)doc.toPlainText();
    return 0;
}
