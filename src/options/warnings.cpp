#include "options/warnings.h"

#include <string>

#include "base/settings.h"

std::string WarningValueName(unsigned nStringId)
{
    return std::to_string(static_cast<unsigned long>(nStringId));
}

void ShowWarning(unsigned nStringId, ISettingsStore& settings, IWarningDialog& dialog,
                 const std::function<std::string(unsigned)>& loadString)
{
    const std::string valueName = WarningValueName(nStringId);
    // Only the exact value 1 silences; anything else shows the warning.
    if (settings.GetProfileInt(kSectionMessages, valueName, 0) == 1)
        return;
    bool bIgnore = false;
    const std::string text = loadString ? loadString(nStringId) : std::string();
    if (dialog.Run(text, bIgnore) && bIgnore)
        settings.WriteProfileInt(kSectionMessages, valueName, 1);
}
