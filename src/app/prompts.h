#pragma once
// Message boxes and beeps, as the core asks for them.

#include <string>

enum class MsgButtons { ok, okCancel, yesNo, yesNoCancel };
enum class MsgIcon { none, exclamation, stop, question, information };
enum class MsgResult { ok, cancel, yes, no };

class IPrompts {
public:
    virtual ~IPrompts() = default;
    // An empty caption means the application's title.
    virtual MsgResult MessageBox(const std::string& text, const std::string& caption, MsgButtons buttons,
                                 MsgIcon icon) = 0;

    void Error(const std::string& text) { MessageBox(text, "", MsgButtons::ok, MsgIcon::exclamation); }
};
