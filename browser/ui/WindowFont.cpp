#include "browser/ui/WindowFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLocale>

namespace k2k {

namespace {

// The Windows language identifier of the locale, as far as the font choice tells
// languages apart: the East-Asian ones with their sub-language, all others as English.
int LanguageId(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::Chinese:
        switch (locale.territory()) {
        case QLocale::Taiwan:
        case QLocale::HongKong:
        case QLocale::Macao:
            return 0x0404;
        case QLocale::China:
        case QLocale::Singapore:
            return 0x0804;
        default:
            return 0x0004 | (locale.script() == QLocale::TraditionalChineseScript ? 0x0400 : 0);
        }
    case QLocale::Japanese:
        return 0x0411;
    case QLocale::Korean:
        return 0x0412;
    default:
        return 0x0409;
    }
}

} // namespace

FontChoice ChooseWindowFont(const FontChoice& previous) {
    FontEnvironment environment;
    environment.languageId = LanguageId(QLocale::system());
    const QStringList families = QFontDatabase::families();
    environment.isInstalled = [&families](std::string_view face) {
        return families.contains(QString::fromUtf8(face.data(), static_cast<int>(face.size())),
                                 Qt::CaseInsensitive);
    };
    environment.defaultGuiFace = QApplication::font().family().toStdString();
    environment.codePageBits = 1; // this system's texts hold every Latin 1 character
    return ChooseFont(environment, previous);
}

QFont ToQFont(const FontChoice& choice) {
    QFont font = QApplication::font();
    if (!choice.name.empty())
        font.setFamily(QString::fromStdString(choice.name));
    font.setPointSize(choice.size);
    font.setBold(false);
    return font;
}

} // namespace k2k
