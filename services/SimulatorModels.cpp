#include "services/SimulatorModels.h"

#include "platform/FileOps.h"
#include "platform/KernelCalls.h"
#include "platform/SimulatorModelAbi.h"
#include "system/FolderListing.h"
#include "system/NativePath.h"
#include "system/SharedLibrary.h"
#include "system/Text.h"

#include <cstring>
#include <utility>

namespace k2k {

namespace {

bool IsModelLibrary(std::string_view fileName) {
    return HasExtensionNoCase(fileName, ".so") || HasExtensionNoCase(fileName, ".dll");
}

// A zero-terminated text in a library's memory.
std::string TextAt(const void* address) {
    return address ? std::string(static_cast<const char*>(address)) : std::string();
}

// A pointer stored at an address in a library's memory, copied out through the kernel.
const void* PointerAt(const KernelCalls& kernel, const void* address) {
    const void* value = nullptr;
    kernel.E_MemCopy(&value, address, sizeof value);
    return value;
}

const char* At(const void* base, std::size_t offset) {
    return static_cast<const char*>(base) + offset;
}

class ModelCollector {
public:
    ModelCollector(KernelCalls& kernel, SimulationTables& tables, LeftOutFiles* leftOut)
        : m_kernel(kernel), m_tables(tables), m_leftOut(leftOut) {}

    void Collect(const std::string& path, const std::string& fileName) {
        SharedLibrary library;
        if (!library.Open(NativePath(path)))
            // The loader speaks this system's UTF-8; the reasons are suite texts.
            return Note(path, "does not load: " + Utf8ToCp1252(library.Error()).value_or("?"));
        void* exportStatus = library.Symbol(K2K_EXPORT_STATUS);
        if (!exportStatus)
            return Note(path, "exports no ExportStatus");
        const void* exportList = m_kernel.E_CallDLL(exportStatus);
        if (!exportList)
            return Note(path, "ExportStatus answered 0");

        std::int32_t count = 0;
        m_kernel.E_MemCopy(&count, exportList, sizeof count);
        for (std::int32_t i = 0; i < count; ++i) {
            const void* nameAddress =
                PointerAt(m_kernel, At(exportList, K2K_EXPORT_NAMES_OFFSET +
                                                       std::size_t(i) * sizeof(const char*)));
            AddModel(library, path, fileName, TextAt(nameAddress));
        }
    }

private:
    void AddModel(const SharedLibrary& library, const std::string& path,
                  const std::string& fileName, const std::string& functionName) {
        const std::int32_t number = ModelNumberOf(functionName);
        if (number == 0)
            return Note(path, "model function \"" + functionName + "\" has number 0");
        void* function = library.Symbol(functionName);
        if (!function)
            return Note(path, "model function \"" + functionName + "\" is not exported");
        const void* address = m_kernel.E_CallDLL(function);
        if (!address)
            return Note(path, "model function \"" + functionName + "\" answered 0");

        K2kModelDescriptor descriptor{};
        m_kernel.E_MemCopy(&descriptor, address, sizeof descriptor);
        SimulatorModel model;
        model.Number = number;
        model.ModelName = TextAt(descriptor.name);
        model.PinCount = descriptor.pinCount;
        for (int pin = 0; pin < descriptor.pinCount; ++pin) {
            K2kModelPin entry{};
            m_kernel.E_MemCopy(&entry, descriptor.pins + pin, sizeof entry);
            if (pin > 0)
                model.Pins += ',';
            model.Pins += TextAt(entry.name);
        }
        model.Library = fileName;
        m_tables.models.Append(std::move(model));
    }

    void Note(const std::string& path, std::string reason) {
        if (m_leftOut)
            m_leftOut->push_back({path, std::move(reason)});
    }

    KernelCalls& m_kernel;
    SimulationTables& m_tables;
    LeftOutFiles* m_leftOut;
};

} // namespace

std::int32_t ModelNumberOf(std::string_view functionName) {
    if (functionName.size() < 8)
        return 0;
    if (functionName[7] == 'M')
        return RoundedInt32(-LeadingNumber(functionName.substr(8)));
    return RoundedInt32(LeadingNumber(functionName.substr(7)));
}

void CollectSimulatorModels(const std::string& folder, KernelCalls& kernel,
                            SimulationTables& tables, LeftOutFiles* leftOut) {
    std::string tested = folder;
    int status = 0;
    FileOps::FolderExists(tested, status);
    if (status != 0)
        return;
    const std::string prefix = folder.ends_with('\\') ? folder : folder + '\\';
    ModelCollector collector(kernel, tables, leftOut);
    std::vector<UnnamedEntry> unnamed;
    for (const std::string& fileName : ListFiles(folder, leftOut ? &unnamed : nullptr))
        if (IsModelLibrary(fileName))
            collector.Collect(prefix + fileName, fileName);
    for (const UnnamedEntry& entry : unnamed)
        if (IsModelLibrary(entry.shownName))
            leftOut->push_back({prefix + entry.shownName, entry.reason});
}

} // namespace k2k
