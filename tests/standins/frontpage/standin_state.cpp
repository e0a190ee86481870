#include "standin_state.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string EscapeField(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '|': out += "\\|"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::vector<std::string> SplitFields(const std::string& text)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '|') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < text.size()) {
            const char e = text[++i];
            fields.back() += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

namespace {

std::string Field(const std::vector<std::string>& f, size_t i)
{
    return i < f.size() ? f[i] : std::string();
}

int IntField(const std::vector<std::string>& f, size_t i)
{
    return std::atoi(Field(f, i).c_str());
}

StandInWeb WebFrom(const std::string& value)
{
    const std::vector<std::string> f = SplitFields(value);
    return StandInWeb{Field(f, 0), Field(f, 1), IntField(f, 2)};
}

std::string WebLine(const char* key, const StandInWeb& w, bool bReads)
{
    std::string line = std::string(key) + "=" + EscapeField(w.title) + "|" + EscapeField(w.url);
    if (bReads)
        line += "|" + std::to_string(w.nReads);
    return line;
}

} // namespace

void CStandInState::Load(const std::string& path)
{
    *this = CStandInState();
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string::size_type eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "web.title") {
            webTitle = Field(SplitFields(value), 0);
        } else if (key == "web.url") {
            webUrl = Field(SplitFields(value), 0);
        } else if (key == "web") {
            webs.push_back(WebFrom(value));
        } else if (key == "pending") {
            bPending = true;
            pending = WebFrom(value);
        } else if (key == "prompt") {
            bPrompt = true;
            prompt = WebFrom(value);
        } else if (key == "pagelist") {
            pageList = Field(SplitFields(value), 0);
        } else if (key == "todo") {
            const std::vector<std::string> f = SplitFields(value);
            todos.push_back(StandInToDo{IntField(f, 0) != 0, Field(f, 1), IntField(f, 2), Field(f, 3), Field(f, 4),
                                        Field(f, 5), Field(f, 6)});
        } else if (key.rfind("false.", 0) == 0) {
            falses[key.substr(6)] = std::atoi(value.c_str());
        } else if (key.rfind("fail.", 0) == 0) {
            createFailures[key.substr(5)] = static_cast<long>(std::strtoul(value.c_str(), nullptr, 0));
        } else if (key == "editpage") {
            nEditPageResult = std::atol(value.c_str());
        } else if (key == "linger") {
            nLingerMs = std::atoi(value.c_str());
        }
    }
}

bool CStandInState::Save(const std::string& path) const
{
    std::ostringstream out;
    out << "web.title=" << EscapeField(webTitle) << "\n";
    out << "web.url=" << EscapeField(webUrl) << "\n";
    for (const StandInWeb& w : webs)
        out << WebLine("web", w, true) << "\n";
    if (bPending)
        out << WebLine("pending", pending, true) << "\n";
    if (bPrompt)
        out << WebLine("prompt", prompt, false) << "\n";
    out << "pagelist=" << EscapeField(pageList) << "\n";
    for (const StandInToDo& t : todos) {
        out << "todo=" << (t.bDone ? 1 : 0) << "|" << EscapeField(t.name) << "|" << t.nPriority << "|"
            << EscapeField(t.creator) << "|" << EscapeField(t.url) << "|" << EscapeField(t.cookie) << "|"
            << EscapeField(t.comment) << "\n";
    }
    for (const auto& f : falses)
        out << "false." << f.first << "=" << f.second << "\n";
    for (const auto& f : createFailures) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(f.second));
        out << "fail." << f.first << "=" << hex << "\n";
    }
    out << "editpage=" << nEditPageResult << "\n";
    out << "linger=" << nLingerMs << "\n";
    // Written whole and then renamed over, so a reader never sees half.
    const std::string temp = path + ".new";
    {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file << out.str();
        if (!file.flush())
            return false;
    }
    std::remove(path.c_str());
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

bool CStandInState::TakeFalse(const std::string& member)
{
    auto it = falses.find(member);
    if (it == falses.end() || it->second <= 0)
        return false;
    --it->second;
    return true;
}

void AppendLog(const std::string& path, const std::string& line)
{
    if (path.empty())
        return;
    std::ofstream log(path, std::ios::binary | std::ios::app);
    log << line << "\n";
}
