#pragma once
// The captions of a tab control with one tab per object kind, in the kinds' order (the
// main window's tabs, the search-sequence dialog's): each kind's caption text in the
// suite's language.

class QTabWidget;

namespace k2k {

class SuiteServices;

void SetKindTabCaptions(QTabWidget& tabs, const SuiteServices& services);

} // namespace k2k
