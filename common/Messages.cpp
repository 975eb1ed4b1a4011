#include "common/Messages.h"

#include "platform/SuiteServices.h"
#include "system/NativePath.h"

namespace k2k {

namespace {

struct Text {
    const char* id;
    const char* defaultText;
};

// A path completes its text in this system's form (DisplayPath), so every message that
// names a file shows it as a person of this system writes it.
enum class Shape { Text, TextName, TextNameText, TextLineName, TextPath, TextPathText };

struct ErrorEntry {
    int code;
    Shape shape;
    Text first;
    Text second;
    MsgIcon icon;
};

constexpr Text kNone{nullptr, nullptr};

constexpr ErrorEntry kErrors[] = {
    {1,
     Shape::TextNameText,
     {"991282", "Symbol/Package: "},
     {"99788", " is not used in any part"},
     MsgIcon::Exclamation},
    {2, Shape::Text, {"99362", "Can't quit at this time"}, kNone, MsgIcon::Exclamation},
    {5, Shape::TextName, {"99357", "Can't load Symbol/Package: "}, kNone, MsgIcon::Exclamation},
    {6, Shape::TextName, {"99350", "Can't find Symbol/Package: "}, kNone, MsgIcon::Exclamation},
    {7,
     Shape::TextNameText,
     {"991280", "Symbol/Package with name: "},
     {"99197", " already loaded"},
     MsgIcon::Exclamation},
    {8, Shape::Text, {"99394", "Can't Read Browser Profile"}, kNone, MsgIcon::Critical},
    {10, Shape::TextName, {"99380", "Can't save Symbol/Package: "}, kNone, MsgIcon::Exclamation},
    {13, Shape::TextName, {"99345", "Can't find Part: "}, kNone, MsgIcon::Exclamation},
    {14, Shape::TextName, {"99364", "Can't read Part: "}, kNone, MsgIcon::Exclamation},
    {15, Shape::TextName, {"99353", "Can't load Part: "}, kNone, MsgIcon::Exclamation},
    {17,
     Shape::TextNameText,
     {"99558", "Part with name: "},
     {"99197", " already loaded"},
     MsgIcon::Exclamation},
    {18,
     Shape::TextNameText,
     {"99338", "Can't delete Part: "},
     {"99708", " from disk library"},
     MsgIcon::Exclamation},
    {19, Shape::TextName, {"99360", "Can't rename Symbol/Package: "}, kNone, MsgIcon::Exclamation},
    {20, Shape::TextName, {"99375", "Can't save Part: "}, kNone, MsgIcon::Exclamation},
    {21,
     Shape::TextNameText,
     {"99342", "Can't delete Symbol/Package: "},
     {"99708", " from disk library"},
     MsgIcon::Exclamation},
    {70, Shape::Text, {"99940", "No Part File selected"}, kNone, MsgIcon::Exclamation},
    {80, Shape::TextPath, {"99361", "Can't open library: "}, kNone, MsgIcon::Exclamation},
    {120,
     Shape::TextLineName,
     {"99648", "Element Template File Invalid."},
     kNone,
     MsgIcon::Exclamation},
    {122,
     Shape::TextLineName,
     {"99899", "Model Template File Invalid."},
     kNone,
     MsgIcon::Exclamation},
    {200,
     Shape::TextPathText,
     {"3341", "Library File: "},
     {"99962", " not found"},
     MsgIcon::Exclamation},
    {300, Shape::Text, {"5060", "Library Browser Options Error "}, kNone, MsgIcon::Exclamation},
};

constexpr ErrorEntry kUnknownError{
    0, Shape::Text, {"991362", "Unknown Error"}, kNone, MsgIcon::Critical};

} // namespace

std::string LocalText(const SuiteServices& services, std::string_view id,
                      std::string_view defaultText) {
    return services.GetText(defaultText, id);
}

std::string ApplicationTitle(const SuiteServices& services) {
    return LocalText(services, "4811", "Library Browser");
}

std::string MessageTitle(const SuiteServices& services) {
    std::string title = LocalText(services, "99607", "Kalde 2000 - ") + ApplicationTitle(services);
    if (const std::string& suffix = services.DialogTitleSuffix(); !suffix.empty())
        title += " (" + suffix + ")";
    return title;
}

bool AskYesNo(SuiteServices& services, const std::string& text) {
    return services.AskYesNo(text, MessageTitle(services));
}

MessageRequest ErrorMessage(const SuiteServices& services, int code, std::string_view name) {
    const ErrorEntry* entry = &kUnknownError;
    for (const ErrorEntry& candidate : kErrors)
        if (candidate.code == code)
            entry = &candidate;

    MessageRequest request;
    request.text = LocalText(services, entry->first.id, entry->first.defaultText);
    switch (entry->shape) {
    case Shape::Text:
        break;
    case Shape::TextName:
        request.text += name;
        break;
    case Shape::TextNameText:
        request.text += name;
        request.text += LocalText(services, entry->second.id, entry->second.defaultText);
        break;
    case Shape::TextLineName:
        request.text += "\r\n";
        request.text += name;
        break;
    case Shape::TextPath:
        request.text += DisplayPath(name);
        break;
    case Shape::TextPathText:
        request.text += DisplayPath(name);
        request.text += LocalText(services, entry->second.id, entry->second.defaultText);
        break;
    }
    request.title = MessageTitle(services);
    request.icon = entry->icon;
    request.buttons = MsgButtons::Ok;
    request.systemModal = true;
    return request;
}

void ShowError(SuiteServices& services, int code, std::string_view name) {
    services.Boxes().Show(ErrorMessage(services, code, name));
}

} // namespace k2k
