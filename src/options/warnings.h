#pragma once
// Notices the user can silence for good: shown through one dialog with the
// box "Ignore this warning in future.", remembered per string id.

#include <functional>
#include <string>

class ISettingsStore;

// The warning dialog, run modally. bIgnore comes in false and holds the
// check box when the dialog ends with OK (true); otherwise it means nothing.
class IWarningDialog {
public:
    virtual ~IWarningDialog() = default;
    virtual bool Run(const std::string& text, bool& bIgnore) = 0;
};

// The value under "Settings\Messages" that silences a warning: its id in
// decimal.
std::string WarningValueName(unsigned nStringId);

// Shows the warning unless it was silenced; silences it when the user ticks
// the box and presses OK. loadString gives the text of a string id, empty
// when there is none.
void ShowWarning(unsigned nStringId, ISettingsStore& settings, IWarningDialog& dialog,
                 const std::function<std::string(unsigned)>& loadString);
