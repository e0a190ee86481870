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
    virtual MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                                 MsgIcon icon) = 0;

    // The system sound that goes with a kind of message.
    virtual void Beep(MsgIcon icon) = 0;

    void Error(const std::string& text) { ShowMessage(text, "", MsgButtons::ok, MsgIcon::exclamation); }
};
