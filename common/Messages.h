#pragma once
// Texts by identifier and the browser's numbered message boxes. Every text the browser
// shows is asked for by its identifier (a decimal number written as text) together with
// its English default, which is what a user sees when the language file lacks it.

#include "platform/MessageBoxes.h"

#include <string>
#include <string_view>

namespace k2k {

class SuiteServices;

// The text of id in the current language, or the default.
std::string LocalText(const SuiteServices& services, std::string_view id,
                      std::string_view defaultText);

// "Library Browser", the application title.
std::string ApplicationTitle(const SuiteServices& services);

// "Kalde 2000 - Library Browser", the title of every message box and question the browser
// raises of its own; " (<suffix>)" follows when the suite gives a dialog-title suffix.
std::string MessageTitle(const SuiteServices& services);

// The browser's yes-or-no question under its title; true when the answer is yes.
bool AskYesNo(SuiteServices& services, const std::string& text);

// The numbered message box ShowError shows: its text by code (the name completes it),
// icon, OK button, system-modal, under MessageTitle.
// Where the name is a file's path (codes 80 and 200), callers pass the suite's form and
// the text shows this system's form.
// An unknown code gives "Unknown Error" with the critical icon.
MessageRequest ErrorMessage(const SuiteServices& services, int code, std::string_view name);
void ShowError(SuiteServices& services, int code, std::string_view name = {});

} // namespace k2k
