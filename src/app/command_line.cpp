#include "app/command_line.h"

#include <vector>

namespace {

// Blanks separate arguments outside double quotes; backslashes are literal
// except before a quote, where each pair gives one backslash and an odd one
// out makes the quote literal.
std::vector<std::string> SplitArguments(const std::string& line)
{
    std::vector<std::string> args;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i == line.size())
            return args;
        std::string arg;
        bool bQuoted = false;
        while (i < line.size() && (bQuoted || (line[i] != ' ' && line[i] != '\t'))) {
            size_t nSlashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++nSlashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                arg.append(nSlashes / 2, '\\');
                if (nSlashes % 2)
                    arg += '"';
                else
                    bQuoted = !bQuoted;
                ++i;
            } else {
                arg.append(nSlashes, '\\');
                if (i < line.size() && (bQuoted || (line[i] != ' ' && line[i] != '\t')))
                    arg += line[i++];
            }
        }
        args.push_back(arg);
    }
}

bool EqualsIgnoringCase(const std::string& text, size_t nFrom, const char* word)
{
    size_t i = nFrom;
    for (; *word; ++word, ++i) {
        if (i == text.size())
            return false;
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        char w = *word;
        if (w >= 'A' && w <= 'Z')
            w = static_cast<char>(w - 'A' + 'a');
        if (c != w)
            return false;
    }
    return i == text.size();
}

} // namespace

bool IsAutomationStart(const std::string& commandLine)
{
    for (const std::string& arg : SplitArguments(commandLine)) {
        if (!arg.empty() && (arg[0] == '/' || arg[0] == '-') &&
            (EqualsIgnoringCase(arg, 1, "Embedding") || EqualsIgnoringCase(arg, 1, "Automation")))
            return true;
    }
    return false;
}
