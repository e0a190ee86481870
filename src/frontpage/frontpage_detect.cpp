#include "frontpage/frontpage_detect.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include "base/settings.h"

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

double LeadingNumber(const std::string& text)
{
    // Parsed by hand: the library's conversions also take hexadecimal,
    // "inf" and "nan", and follow the locale's decimal point.
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        bNegative = text[i++] == '-';
    double value = 0;
    bool bDigits = false;
    for (; i < text.size() && IsDigit(text[i]); ++i, bDigits = true)
        value = value * 10 + (text[i] - '0');
    if (i < text.size() && text[i] == '.') {
        double scale = 0.1;
        for (++i; i < text.size() && IsDigit(text[i]); ++i, bDigits = true, scale /= 10)
            value += (text[i] - '0') * scale;
    }
    if (!bDigits)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool bNegExp = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            bNegExp = text[j++] == '-';
        if (j < text.size() && IsDigit(text[j])) {
            int nExp = 0;
            for (; j < text.size() && IsDigit(text[j]); ++j)
                nExp = nExp < 10000 ? nExp * 10 + (text[j] - '0') : nExp;
            value *= std::pow(10.0, bNegExp ? -nExp : nExp);
        }
    }
    return bNegative ? -value : value;
}

bool DetectFrontPage(IFrontPageRegistry& registry)
{
    std::string version;
    if (!registry.ReadClassesRootDefault(kVersionKey, version))
        return false;
    if (version.find(kVersionPrefix) == std::string::npos)
        return false;
    // The number is taken after the first 19 characters, wherever the
    // prefix was found.
    const size_t nPrefix = std::strlen(kVersionPrefix);
    return LeadingNumber(version.size() > nPrefix ? version.substr(nPrefix) : std::string()) >= 2.0;
}

std::string MenuProgramPath(ISettingsStore& settings, const std::string& appTitle)
{
    return ReadSetting(settings, setting::HomeDirectory) + "\\" + appTitle;
}

std::string MenuCommandText(const std::string& programPath)
{
    return "2,,1,Reminders, &Open," + programPath + ",,0,Opens Netbell,1000";
}

void UpdateMenuLinks(ISettingsStore& settings, IFrontPageRegistry& registry, const std::string& appTitle)
{
    if (ReadSetting(settings, setting::FrontPageMenuLinks) == 0) {
        registry.DeleteUserValue(kExplorerMenusKey, kMenuValue);
        registry.DeleteUserValue(kExplorerCommandsKey, kCommandValue);
        registry.DeleteUserValue(kEditorMenusKey, kMenuValue);
        registry.DeleteUserValue(kEditorCommandsKey, kCommandValue);
        return;
    }
    const std::string command = MenuCommandText(MenuProgramPath(settings, appTitle));
    registry.WriteUserString(kExplorerMenusKey, kMenuValue, kMenuText);
    registry.WriteUserString(kExplorerCommandsKey, kCommandValue, command);
    registry.WriteUserString(kEditorMenusKey, kMenuValue, kMenuText);
    registry.WriteUserString(kEditorCommandsKey, kCommandValue, command);
}
