#pragma once
// LocaliseForm: a window and its controls get their captions in the suite's language and
// the one font of the browser. A widget (or menu action) whose dynamic property "Tag" holds
// a text identifier takes its caption from the text service, its design-time caption being
// the English default; one with an empty or no Tag keeps its caption. Captions are a
// window's title, a button's, label's or check box's text, a group box's or menu's title,
// an action's text.
//
// Controls without a caption of their own (a drawing, a list that fills a tab page, a grid's
// editors) get a name for screen readers: an English default, and where it has one a text
// identifier (dynamic property "AccessibleTag") by which LocaliseForm translates it as it
// translates captions. A name that comes from a caption (a tab's) is copied when the caption
// is set, so it is in the same language.

#include <QFont>

class QObject;
class QString;
class QTabWidget;
class QWidget;

namespace k2k {

class SuiteServices;

// The name of the dynamic property that holds a control's text identifier.
inline constexpr const char* kTagProperty = "Tag";
// The name of the dynamic property that holds the identifier of a control's accessible name.
inline constexpr const char* kAccessibleTagProperty = "AccessibleTag";

// Sets the identifier of a control's caption.
void SetTag(QObject& control, const char* textId);

// Names a control for screen readers (an editable combo box's text as well); textId, when
// given, is the identifier LocaliseForm translates the name by.
void SetAccessibleName(QWidget& control, const QString& name, const char* textId = nullptr);

// Names the lists, trees and tables of each page of tabs after the page's tab caption.
void NameTabPages(QTabWidget& tabs);

// Translates the captions of the window and all its controls and gives every control the
// font, never bold.
void LocaliseForm(QWidget& window, const SuiteServices& services, const QFont& font);

} // namespace k2k
