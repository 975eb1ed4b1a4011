#include "platform/Kernel.h"

#include "formats/StoredTexts.h"

namespace k2k {

int Kernel::S_LoadSymbol(int index, int libraryObject) {
    const LibraryObject* object = ObjectOf(libraryObject);
    if (!object)
        return 0;
    int flags = kSymbolFlags;
    switch (KindOfObject(libraryObject)) {
    case LibraryKind::Package:
        flags = kPackageFlags;
        break;
    case LibraryKind::Padstack:
        flags = kPadstackFlags;
        break;
    default:
        break;
    }
    return LoadSymbolData(index, object->name, std::string(HeldInfo(object->info)), object->drawing,
                          flags);
}

} // namespace k2k
