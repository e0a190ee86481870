#pragma once
// Documents for the benchmarks: tasks as people keep them, made the same
// way in every run.

#include <cstddef>
#include <memory>

#include "base/prompts.h"
#include "model/file_system.h"
#include "model/netbell_doc.h"

class CSilentPrompts : public IPrompts {
public:
    MsgResult ShowMessage(const std::string&, const std::string&, MsgButtons, MsgIcon) override
    {
        return MsgResult::ok;
    }
    void Beep(MsgIcon) override {}
};

extern CStdFileSystem g_fs;
extern CSilentPrompts g_prompts;

std::unique_ptr<CNetbellDoc> MakeDocument(size_t nTasks);
// Built once per size and shared by the benchmarks that only read it.
const CNetbellDoc& SharedDocument(size_t nTasks);
