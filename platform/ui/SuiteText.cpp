#include "platform/ui/SuiteText.h"

#include "system/Text.h"

namespace k2k {

QString FromSuiteText(std::string_view text) {
    QString converted = QString::fromStdString(Cp1252ToUtf8(text));
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

std::optional<std::string> ToSuiteText(const QString& text) {
    return Utf8ToCp1252(text.toStdString());
}

} // namespace k2k
