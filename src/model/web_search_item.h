#pragma once
// A search engine offered for Web Search tasks.

#include <cstdint>
#include <string>

class CArchiveReader;
class CArchiveWriter;

class CWebSearchItem {
public:
    static constexpr const char* kClassName = "CWebSearchItem";
    static constexpr uint16_t kSchema = 256;

    std::string m_strUrl;
    std::string m_strName;

    // On file the name comes first, then the URL.
    void Serialize(CArchiveWriter& ar) const;
    void Serialize(CArchiveReader& ar);

    template <class Record, class Fields>
    static void VisitFields(Record& item, Fields& f)
    {
        f(item.m_strName);
        f(item.m_strUrl);
    }

    bool operator==(const CWebSearchItem& o) const
    {
        return m_strUrl == o.m_strUrl && m_strName == o.m_strName;
    }
};
