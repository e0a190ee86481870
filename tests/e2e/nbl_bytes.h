#pragma once
// The data file as the cases see it: a document built in the test, written
// to bytes in the archive layout, and the bytes the program wrote read back
// into a document, strictly, so a stray or missing byte fails the read.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

namespace nbl {
enum Kind : uint32_t { browse = 0, note = 1, frontPage = 2, search = 3, email = 4, newsgroup = 5 };
enum Status : uint32_t { open = 0, done = 1 };
enum Priority : int32_t { high = 0, medium = 1, low = 2 };
// 7 December 1997 12:00, the date of the cases' stored tasks.
constexpr double kSampleDate = 35771.5;
}  // namespace nbl

struct NblTask {
    uint32_t status = nbl::open;
    uint32_t kind = nbl::note;
    std::string name, description, url;
    int32_t priority = nbl::medium;
    std::string billing, project, assignTo;
    uint32_t dateStatus = 0;
    double date = nbl::kSampleDate;
    std::string webName, webUrl, linkedTo, pageUrl, cookie;

    bool operator==(const NblTask& o) const;
    bool operator!=(const NblTask& o) const { return !(*this == o); }
};

struct NblEngine {
    std::string name, url;
    bool operator==(const NblEngine& o) const { return name == o.name && url == o.url; }
};

struct NblDocument {
    std::vector<NblTask> tasks;
    std::vector<std::string> projects;
    std::vector<NblEngine> engines;
    bool operator==(const NblDocument& o) const
    {
        return tasks == o.tasks && projects == o.projects && engines == o.engines;
    }
};

// gtest prints these in failure messages.
void PrintTo(const NblTask& t, std::ostream* os);
void PrintTo(const NblEngine& e, std::ostream* os);

std::vector<uint8_t> WriteNbl(const NblDocument& doc);
// Empty (and why in *error) when the bytes are not exactly one document.
std::optional<NblDocument> ReadNbl(const std::vector<uint8_t>& bytes, std::string* error = nullptr);
// The file under path, read as a document.
std::optional<NblDocument> ReadNblFile(const std::string& path, std::string* error = nullptr);

NblTask MakeTask(uint32_t kind, const std::string& name, const std::string& url = "");

// OLE date of this machine's local clock now, as the program stamps a task.
double OleDateNow();
// A date as the list's Date Added column shows it ("07 Dec 1997").
std::string ListDate(double oleDate);

}  // namespace e2e
