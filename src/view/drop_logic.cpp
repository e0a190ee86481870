#include "view/drop_logic.h"

#include <memory>

#include "base/prompts.h"
#include "model/netbell_doc.h"
#include "view/task_commands.h"
#include "model/task_rows.h"

namespace {

bool AnyShortcut(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        if (HasUrlExtension(path))
            return true;
    }
    return false;
}

} // namespace

DropEffect TaskListDragOver(IDropData& data, IPrompts& prompts)
{
    if (data.HasFileList()) {
        std::vector<std::string> paths;
        if (!data.GetFileList(paths)) {
            prompts.Error("Drag Operation Failure in GetData");
            return DropEffect::none;
        }
        return AnyShortcut(paths) ? DropEffect::copy : DropEffect::none;
    }
    return data.HasText() ? DropEffect::copy : DropEffect::none;
}

bool AddShortcutFile(const std::string& path, IShortcutResolver& resolver, IPrompts& prompts,
                     IDropTaskSink& sink)
{
    if (!HasUrlExtension(path)) {
        ShortcutResult notShortcut;
        notShortcut.outcome = ShortcutOutcome::NotShortcut;
        return ReportShortcutOutcome(ShortcutCaller::TaskListDrop, notShortcut, prompts);
    }
    const ShortcutResult result = resolver.ResolveInternetShortcut(path);
    if (!ReportShortcutOutcome(ShortcutCaller::TaskListDrop, result, prompts))
        return false;
    if (result.outcome != ShortcutOutcome::Resolved)
        return true; // only a file that is no shortcut can be passed over
    sink.AddBrowseTask(result.title, result.url);
    return true;
}

bool TaskListDrop(IDropData& data, IShortcutResolver& resolver, IPrompts& prompts, IDropTaskSink& sink)
{
    if (data.HasFileList()) {
        std::vector<std::string> paths;
        if (!data.GetFileList(paths)) {
            prompts.Error("Drop Operation Failed");
        } else {
            for (const std::string& path : paths) {
                if (!AddShortcutFile(path, resolver, prompts, sink))
                    break;
            }
        }
    } else if (data.HasText()) {
        std::string text;
        if (!data.GetText(text)) {
            prompts.ShowMessage("Failed to get data", "Drop Operation Failed", MsgButtons::ok, MsgIcon::stop);
            return false;
        }
        sink.AddNote(text);
    }
    // Tasks added before a failure stay, and are kept by this save.
    sink.Save();
    return true;
}

void AppendBrowseTask(CNetbellDoc& doc, ITaskListControl& list, IClock& clock, const std::string& name,
                      const std::string& url)
{
    auto task = std::make_unique<CRemindTask>();
    task->m_nStatus = statusOpen;
    task->m_nKind = kindBrowse;
    task->m_strUrl = url;
    task->m_strName = name;
    task->m_nPriority = priorityMedium;
    task->m_dtAdded = clock.Now();
    doc.m_arrTasks.push_back(std::move(task));
    const size_t nIndex = doc.m_arrTasks.size() - 1;
    TaskRow row = MakeTaskRow(*doc.m_arrTasks[nIndex], nIndex);
    // Only a full refill cuts long names; a dropped one shows whole.
    row.cells[colName] = name;
    list.InsertRowAtTop(row);
}
