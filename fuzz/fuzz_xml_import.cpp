// Feeds arbitrary bytes to the recipe exchange file's import: any file must
// be read or refused within the import's bounds, never crash it or make it
// hang, however its DTD declares entities and attributes.

#include "output/XmlImport.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const mostarium::XmlImportResult r = mostarium::importXmlRecipe(
        QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), QStringLiteral("fuzz.xml"));
    (void)r.message.size();
    return 0;
}
