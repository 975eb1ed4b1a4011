#pragma once
// LocaliseForm: a window and its controls get their captions in the suite's language and
// the one font of the browser. A widget (or menu action) whose dynamic property "Tag" holds
// a text identifier takes its caption from the text service, its design-time caption being
// the English default; one with an empty or no Tag keeps its caption. Captions are a
// window's title, a button's, label's or check box's text, a group box's or menu's title,
// an action's text.

#include <QFont>

class QObject;
class QWidget;

namespace k2k {

class SuiteServices;

// The name of the dynamic property that holds a control's text identifier.
inline constexpr const char* kTagProperty = "Tag";

// Sets the identifier of a control's caption.
void SetTag(QObject& control, const char* textId);

// Translates the captions of the window and all its controls and gives every control the
// font, never bold.
void LocaliseForm(QWidget& window, const SuiteServices& services, const QFont& font);

} // namespace k2k
