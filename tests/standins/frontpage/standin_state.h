#pragma once
// The FrontPage stand-in's scriptable state and its call log. The state is a
// text file of "key=value" lines that tests write before a run and read
// after it; the stand-in reads it at every call and writes it back after
// every change, so it outlives the server process.
//
//   web.title=<title>          the web open in the Explorer (empty: none)
//   web.url=<url>
//   web=<title>|<url>|<reads>  a web OpenWeb can open: it becomes the open
//                              web after that many further GetWebTitle calls
//   pending=<title>|<url>|<reads>  a web being opened (written by the stand-in)
//   prompt=<title>|<url>       the web PromptForWeb leaves open
//   pagelist=<text>            GetPageList's answer
//   todo=<done>|<name>|<priority>|<creator>|<url>|<cookie>|<comment>
//   false.<Member>=<n>         the next n calls of AddToDoTask, MarkToDoComplete
//                              or OpenWeb answer false
//   fail.<Server>=<hresult>    creating the ToDoList or Explorer object fails
//   editpage=<n>               EditPage's answer (1)
//   linger=<ms>                how long the server stays after its last object
//
// Texts take the escapes \\ \n \r and \| (a bar inside a field).

#include <map>
#include <string>
#include <vector>

struct StandInWeb {
    std::string title;
    std::string url;
    int nReads = 0;
};

struct StandInToDo {
    bool bDone = false;
    std::string name;
    int nPriority = 0;
    std::string creator;
    std::string url;
    std::string cookie;
    std::string comment;
};

class CStandInState {
public:
    // A missing file is an empty state.
    void Load(const std::string& path);
    bool Save(const std::string& path) const;

    // Uses up one injected false answer of a member.
    bool TakeFalse(const std::string& member);

    std::string webTitle;
    std::string webUrl;
    std::vector<StandInWeb> webs;
    bool bPending = false;
    StandInWeb pending;
    bool bPrompt = false;
    StandInWeb prompt;
    std::string pageList;
    std::vector<StandInToDo> todos;
    std::map<std::string, int> falses;
    std::map<std::string, long> createFailures;
    long nEditPageResult = 1;
    int nLingerMs = 0;
};

std::string EscapeField(const std::string& text);
// Splits at bars that are not escaped and undoes the escapes.
std::vector<std::string> SplitFields(const std::string& text);

// Appends one line to the log file; a missing path logs nothing.
void AppendLog(const std::string& path, const std::string& line);
