// Fuzz target for the JSON reader of nbltool write, as the tool reads. Any
// input may be refused, but none may crash or leak, and every refusal must
// say what was wrong: text that is no JSON in the parser's words, anything
// else as a field and its fault (an exception of any other kind is a
// finding: the tool would print it without saying where). What is taken
// must become a data file the program reads back to the same document.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "base/prompts.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"
#include "fuzz_support.h"
#include "nbltool/json_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Json j;
    try {
        j = ParseJsonText(data, size);
    } catch (const CJsonTextError& e) {
        Require(std::strlen(e.what()) > 0);
        return 0;
    }

    CNoFiles files;
    CNoPrompts prompts;
    CNetbellDoc doc(files, prompts);
    try {
        JsonToDoc(j, doc);
    } catch (const CJsonDocError& e) {
        // Named, and nothing taken.
        Require(std::strlen(e.what()) > 0);
        Require(doc.m_arrTasks.empty() && doc.m_arrProjects.empty() && doc.m_arrSearchItems.empty());
        return 0;
    }

    const std::vector<uint8_t> saved = doc.SaveToBytes();
    CNetbellDoc back(files, prompts);
    Require(back.LoadFromBytes(saved.data(), saved.size()));
    Require(DocToJson(back) == DocToJson(doc));
    return 0;
}
