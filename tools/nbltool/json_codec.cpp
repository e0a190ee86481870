#include "json_codec.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "base/text.h"
#include "model/archive.h"
#include "model/netbell_doc.h"
#include "model/remind_task.h"
#include "model/web_search_item.h"

namespace {


// Decodes one UTF-8 sequence at pos; false for anything the standard forbids
// (overlong forms, surrogates, values past U+10FFFF, cut-off sequences).
bool DecodeUtf8(const std::string& s, size_t& pos, char32_t& c)
{
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    const uint8_t lead = byte(pos);
    size_t extra;
    char32_t min;
    if (lead < 0x80) {
        c = lead;
        ++pos;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, min = 0x80, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, min = 0x800, c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, min = 0x10000, c = lead & 0x07;
    } else {
        return false;
    }
    if (s.size() - pos <= extra)
        return false;
    for (size_t i = 1; i <= extra; ++i) {
        const uint8_t b = byte(pos + i);
        if ((b & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    pos += extra + 1;
    return true;
}

std::string Where(const std::string& base, const char* key)
{
    return base.empty() ? std::string(key) : base + "." + key;
}

std::string Indexed(const char* array, size_t i)
{
    return std::string(array) + "[" + std::to_string(i) + "]";
}

const char* TypeName(const Json& j)
{
    return j.type_name();
}

// An object with exactly these members: a missing one or a stray one (most
// likely a misspelt name) is refused rather than guessed at.
void RequireObject(const Json& j, const std::string& where, std::initializer_list<const char*> keys)
{
    const std::string what = where.empty() ? std::string("the document") : where;
    if (!j.is_object())
        throw CJsonDocError(what + ": expected an object, found " + TypeName(j));
    for (const char* key : keys) {
        if (!j.contains(key))
            throw CJsonDocError(what + ": missing field \"" + key + "\"");
    }
    for (const auto& item : j.items()) {
        bool known = false;
        for (const char* key : keys)
            known = known || item.key() == key;
        if (!known)
            throw CJsonDocError(what + ": unknown field \"" + item.key() + "\"");
    }
}

const Json& RequireArray(const Json& j, const std::string& where)
{
    if (!j.is_array())
        throw CJsonDocError(where + ": expected an array, found " + TypeName(j));
    return j;
}

std::string TextFrom(const Json& j, const std::string& where)
{
    if (!j.is_string())
        throw CJsonDocError(where + ": expected a string, found " + TypeName(j));
    return TextFromJson(j.get_ref<const std::string&>(), where);
}

int64_t IntegerFrom(const Json& j, const std::string& where, int64_t lo, int64_t hi)
{
    if (!j.is_number_integer())
        throw CJsonDocError(where + ": expected an integer, found " +
                            (j.is_number_float() ? std::string("a fraction") : std::string(TypeName(j))));
    bool inRange;
    int64_t v = 0;
    if (j.is_number_unsigned()) {
        const uint64_t u = j.get<uint64_t>();
        inRange = u <= static_cast<uint64_t>(hi);
        v = inRange ? static_cast<int64_t>(u) : 0;
    } else {
        v = j.get<int64_t>();
        inRange = v >= lo && v <= hi;
    }
    if (!inRange)
        throw CJsonDocError(where + ": " + j.dump() + " is out of range " + std::to_string(lo) + " to " +
                            std::to_string(hi));
    return v;
}

uint32_t U32From(const Json& j, const std::string& where)
{
    return static_cast<uint32_t>(IntegerFrom(j, where, 0, std::numeric_limits<uint32_t>::max()));
}

int32_t I32From(const Json& j, const std::string& where)
{
    return static_cast<int32_t>(IntegerFrom(j, where, std::numeric_limits<int32_t>::min(),
                                            std::numeric_limits<int32_t>::max()));
}

Json TaskToJson(const CRemindTask& t)
{
    Json j = Json::object();
    j["status"] = t.m_nStatus;
    j["kind"] = t.m_nKind;
    j["name"] = TextToJson(t.m_strName);
    j["description"] = TextToJson(t.m_strDescription);
    j["url"] = TextToJson(t.m_strUrl);
    j["priority"] = t.m_nPriority;
    j["billingInfo"] = TextToJson(t.m_strBillingInfo);
    j["project"] = TextToJson(t.m_strProject);
    j["assignTo"] = TextToJson(t.m_strAssignTo);
    Json added = Json::object();
    added["status"] = t.m_dtAdded.m_status;
    added["days"] = DaysToJson(t.m_dtAdded.m_dt);
    j["added"] = std::move(added);
    j["webName"] = TextToJson(t.m_strWebName);
    j["webUrl"] = TextToJson(t.m_strWebUrl);
    j["linkedTo"] = TextToJson(t.m_strLinkedTo);
    j["pageUrl"] = TextToJson(t.m_strPageUrl);
    j["cookie"] = TextToJson(t.m_strCookie);
    return j;
}

std::unique_ptr<CRemindTask> TaskFromJson(const Json& j, const std::string& where)
{
    RequireObject(j, where,
                  {"status", "kind", "name", "description", "url", "priority", "billingInfo", "project",
                   "assignTo", "added", "webName", "webUrl", "linkedTo", "pageUrl", "cookie"});
    auto t = std::make_unique<CRemindTask>();
    t->m_nStatus = U32From(j.at("status"), Where(where, "status"));
    t->m_nKind = U32From(j.at("kind"), Where(where, "kind"));
    t->m_strName = TextFrom(j.at("name"), Where(where, "name"));
    t->m_strDescription = TextFrom(j.at("description"), Where(where, "description"));
    t->m_strUrl = TextFrom(j.at("url"), Where(where, "url"));
    t->m_nPriority = I32From(j.at("priority"), Where(where, "priority"));
    t->m_strBillingInfo = TextFrom(j.at("billingInfo"), Where(where, "billingInfo"));
    t->m_strProject = TextFrom(j.at("project"), Where(where, "project"));
    t->m_strAssignTo = TextFrom(j.at("assignTo"), Where(where, "assignTo"));
    const std::string whereAdded = Where(where, "added");
    const Json& added = j.at("added");
    RequireObject(added, whereAdded, {"status", "days"});
    t->m_dtAdded.m_status = I32From(added.at("status"), Where(whereAdded, "status"));
    t->m_dtAdded.m_dt = DaysFromJson(added.at("days"), Where(whereAdded, "days"));
    t->m_strWebName = TextFrom(j.at("webName"), Where(where, "webName"));
    t->m_strWebUrl = TextFrom(j.at("webUrl"), Where(where, "webUrl"));
    t->m_strLinkedTo = TextFrom(j.at("linkedTo"), Where(where, "linkedTo"));
    t->m_strPageUrl = TextFrom(j.at("pageUrl"), Where(where, "pageUrl"));
    t->m_strCookie = TextFrom(j.at("cookie"), Where(where, "cookie"));
    return t;
}

} // namespace

std::string TextToJson(const std::string& text)
{
    if (IsAscii(text))
        return text;
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const size_t at = pos;
        char32_t c;
        if (DecodeUtf8(text, pos, c)) {
            out.append(text, at, pos - at);
        } else {
            AppendUtf8(out, static_cast<char32_t>(0xFFFD));
            pos = at;
            NextChar(text, pos);
        }
    }
    return out;
}

std::string TextFromJson(const std::string& utf8, const std::string& field)
{
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t at = pos;
        char32_t c;
        if (!DecodeUtf8(utf8, pos, c))
            throw CJsonDocError(field + ": broken UTF-8 at byte " + std::to_string(at));
    }
    return utf8;
}

Json DaysToJson(double days)
{
    if (std::isfinite(days))
        return days;
    uint64_t bits;
    std::memcpy(&bits, &days, sizeof bits);
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%016llX", static_cast<unsigned long long>(bits));
    return buf;
}

double DaysFromJson(const Json& j, const std::string& field)
{
    if (j.is_number()) {
        const double d = j.get<double>();
        // Only a JSON value built in memory can get here with NaN; a parsed
        // file cannot hold one.
        if (!std::isfinite(d))
            throw CJsonDocError(field + ": not a finite number; give NaN or an infinity as its bits, "
                                        "\"0x\" and 16 hex digits");
        return d;
    }
    const auto bad = [&]() {
        return CJsonDocError(field + ": expected a number, or \"0x\" and 16 hex digits for the double's bits");
    };
    if (!j.is_string())
        throw bad();
    const std::string& s = j.get_ref<const std::string&>();
    if (s.size() != 18 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X'))
        throw bad();
    uint64_t bits = 0;
    for (size_t i = 2; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            throw bad();
        bits = (bits << 4) | static_cast<uint64_t>(digit);
    }
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

Json DocToJson(const CNetbellDoc& doc)
{
    Json tasks = Json::array();
    for (const auto& t : doc.m_arrTasks)
        tasks.push_back(TaskToJson(*t));
    Json projects = Json::array();
    for (const auto& p : doc.m_arrProjects)
        projects.push_back(TextToJson(p));
    Json engines = Json::array();
    for (const auto& e : doc.m_arrSearchItems) {
        Json item = Json::object();
        item["name"] = TextToJson(e->m_strName);
        item["url"] = TextToJson(e->m_strUrl);
        engines.push_back(std::move(item));
    }
    Json j = Json::object();
    j["tasks"] = std::move(tasks);
    j["projects"] = std::move(projects);
    j["searchEngines"] = std::move(engines);
    return j;
}

Json ParseJsonText(const uint8_t* text, size_t size)
{
    // Every exception of the parser, not only its syntax errors: a number
    // past the range of a double comes as out_of_range.
    try {
        return Json::parse(text, text + size);
    } catch (const Json::exception& e) {
        throw CJsonTextError(e.what());
    }
}

void JsonToDoc(const Json& j, CNetbellDoc& doc)
{
    RequireObject(j, "", {"tasks", "projects", "searchEngines"});

    // Everything is converted first, so a refusal leaves the document as it was.
    std::vector<std::unique_ptr<CRemindTask>> tasks;
    const Json& jt = RequireArray(j.at("tasks"), "tasks");
    tasks.reserve(jt.size());
    for (size_t i = 0; i < jt.size(); ++i)
        tasks.push_back(TaskFromJson(jt[i], Indexed("tasks", i)));

    std::vector<std::string> projects;
    const Json& jp = RequireArray(j.at("projects"), "projects");
    projects.reserve(jp.size());
    for (size_t i = 0; i < jp.size(); ++i)
        projects.push_back(TextFrom(jp[i], Indexed("projects", i)));

    std::vector<std::unique_ptr<CWebSearchItem>> engines;
    const Json& je = RequireArray(j.at("searchEngines"), "searchEngines");
    engines.reserve(je.size());
    for (size_t i = 0; i < je.size(); ++i) {
        const std::string where = Indexed("searchEngines", i);
        RequireObject(je[i], where, {"name", "url"});
        auto e = std::make_unique<CWebSearchItem>();
        e->m_strName = TextFrom(je[i].at("name"), Where(where, "name"));
        e->m_strUrl = TextFrom(je[i].at("url"), Where(where, "url"));
        engines.push_back(std::move(e));
    }

    doc.m_arrTasks = std::move(tasks);
    doc.m_arrProjects = std::move(projects);
    doc.m_arrSearchItems = std::move(engines);
}
