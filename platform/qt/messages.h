// The toolkit's modal message box (captioned with the application title, one OK button)
// and the system beep. Tests replace both with hooks so nothing blocks or sounds.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace vadidazid {

extern const char* const kApplicationTitle;  // "Vadidazid"

// Shows the text and returns when the user has closed the box.
void ShowMessage(const std::string& utf8Text, QWidget* parent = nullptr);
// Message boxes open now, a hook's call counting as one. A box runs the event loop
// while it waits, so periodic work checks this rather than run behind it.
int OpenMessageBoxes();
void SystemBeep();

// A hook receives what would have been shown or sounded instead; an empty function
// restores the real behaviour.
void SetMessageHook(std::function<void(const std::string&)> hook);
void SetBeepHook(std::function<void()> hook);

}  // namespace vadidazid
