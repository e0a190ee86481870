// nbltool: looks into data files and makes them from JSON, using the
// program's own reader and writer so that what it says is what Netbell sees.

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "json_codec.h"
#include "model/file_error.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"
#ifdef _WIN32
#include "base/win32/text_win32.h"

#include <shellapi.h>
#include "model/win32/file_system_win32.h"
// The program's own file calls: the standard library's file system and
// streams import what Windows 95 and NT 4 lack.
using CToolFileSystem = CWin32FileSystem;
#else
using CToolFileSystem = CStdFileSystem;
#endif

namespace {

enum ExitCode { exitOk = 0, exitFailed = 1, exitUsage = 2 };

const char kUsage[] =
    "usage: nbltool dump FILE.nbl            print the data file as JSON\n"
    "       nbltool write FILE.json OUT.nbl  write the data file for the JSON\n"
    "       nbltool check FILE.nbl           exit 0 when Netbell can read the file\n";

void Fail(const std::string& text)
{
    fprintf(stderr, "nbltool: %s\n", text.c_str());
}

// The document's message boxes become lines on stderr; a question, which the
// document never asks, gets the answer that changes nothing.
class CStderrPrompts : public IPrompts {
public:
    MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                         MsgIcon) override
    {
        if (caption.empty())
            Fail(text);
        else
            Fail(caption + ": " + text);
        switch (buttons) {
        case MsgButtons::ok: return MsgResult::ok;
        case MsgButtons::yesNo: return MsgResult::no;
        case MsgButtons::okCancel:
        case MsgButtons::yesNoCancel: return MsgResult::cancel;
        }
        return MsgResult::cancel;
    }
    // The message that follows a beep says all there is to say.
    void Beep(MsgIcon) override {}
};


int RunCheck(const std::string& path)
{
    CToolFileSystem fs;
    CStderrPrompts prompts;
    CNetbellDoc doc(fs, prompts);
    return doc.CheckFile(path) ? exitOk : exitFailed;
}

int RunDump(const std::string& path)
{
    CToolFileSystem fs;
    CStderrPrompts prompts;
    CNetbellDoc doc(fs, prompts);
    if (!doc.OnOpenDocument(path))
        return exitFailed;
    const std::string json = DocToJson(doc).dump(2) + '\n';
    if (fwrite(json.data(), 1, json.size(), stdout) != json.size() || fflush(stdout) != 0) {
        Fail("could not write to standard output");
        return exitFailed;
    }
    return exitOk;
}

int RunWrite(const std::string& jsonPath, const std::string& outPath)
{
    CToolFileSystem fs;
    CStderrPrompts prompts;
    std::vector<uint8_t> text;
    const FileError err = fs.ReadFile(jsonPath, text);
    if (err != FileError::none) {
        Fail(FileErrorMessage(err, jsonPath));
        return exitFailed;
    }
    Json j;
    try {
        j = ParseJsonText(text.data(), text.size());
    } catch (const CJsonTextError& e) {
        Fail(jsonPath + " is not valid JSON: " + e.what());
        return exitFailed;
    }

    CNetbellDoc doc(fs, prompts);
    try {
        JsonToDoc(j, doc);
    } catch (const CJsonDocError& e) {
        Fail(std::string(e.what()) + "; nothing was written");
        return exitFailed;
    }
    // The save drops deleted tasks, as every save of the program does; say
    // so rather than lose them quietly.
    for (size_t i = 0; i < doc.m_arrTasks.size(); ++i) {
        if (doc.m_arrTasks[i]->m_nStatus == statusDeleted)
            Fail("note: tasks[" + std::to_string(i) + "] has status 2 (deleted) and is left out");
    }
    doc.SetPathName(outPath);
    return doc.OnSaveDocument(outPath) ? exitOk : exitFailed;
}

bool IsHelp(const char* arg)
{
    return std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "help") == 0;
}

} // namespace

// The arguments as UTF-8, the program's text.
std::vector<std::string> Arguments(int argc, char** argv)
{
    std::vector<std::string> args;
#if defined(_WIN32) && defined(UNICODE)
    // The narrow arguments have already lost what the code page lacks.
    int nArgs = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &nArgs)) {
        for (int i = 0; i < nArgs; ++i)
            args.push_back(FromSys(wide[i]));
        LocalFree(wide);
        return args;
    }
#endif
    for (int i = 0; i < argc; ++i) {
#ifdef _WIN32
        std::string arg;
        CAnsiCodePage().ToUtf8(argv[i], std::strlen(argv[i]), arg);
        args.push_back(arg);
#else
        args.push_back(argv[i]);
#endif
    }
    return args;
}

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The single-byte form of text is the system's code page, as in Netbell.
    InstallSystemTextPorts();
#endif
    const std::vector<std::string> args = Arguments(argc, argv);
    if (args.size() == 2 && IsHelp(args[1].c_str())) {
        fputs(kUsage, stdout);
        return exitOk;
    }
    const std::string command = args.size() > 1 ? args[1] : "";
    try {
        if (command == "dump" && args.size() == 3)
            return RunDump(args[2]);
        if (command == "check" && args.size() == 3)
            return RunCheck(args[2]);
        if (command == "write" && args.size() == 4)
            return RunWrite(args[2], args[3]);
    } catch (const std::exception& e) {
        Fail(e.what());
        return exitFailed;
    }
    fputs(kUsage, stderr);
    return exitUsage;
}
