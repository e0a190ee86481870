#pragma once
// The document as JSON, for people and scripts, and back. Text is UTF-8 on
// both sides; which form a text takes in the file is the writer's choice, as
// in the program. Dates read back to the same double, bit for bit.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

class CNetbellDoc;

// Keeps the fields in file order, which is the order people expect to read.
using Json = nlohmann::ordered_json;

// JSON that cannot become a data file. The message names the field first,
// for example "tasks[3].name: ...".
class CJsonDocError : public std::runtime_error {
public:
    explicit CJsonDocError(const std::string& what) : std::runtime_error(what) {}
};

// Text that is no JSON at all, in the parser's words (a syntax error, a
// number too large for any type).
class CJsonTextError : public std::runtime_error {
public:
    explicit CJsonTextError(const std::string& what) : std::runtime_error(what) {}
};

// The JSON of nbltool write's input; throws CJsonTextError.
Json ParseJsonText(const uint8_t* text, size_t size);

// A document's text as a JSON string: a lone UTF-16 surrogate, which the
// file's 16-bit form can hold and JSON text cannot, becomes U+FFFD.
std::string TextToJson(const std::string& text);
// A JSON string as a document's text; a broken UTF-8 sequence throws
// CJsonDocError naming the field.
std::string TextFromJson(const std::string& utf8, const std::string& field);

// A date's day count: a JSON number when finite; NaN and the infinities,
// which JSON cannot hold, as their IEEE 754 bits "0x" + 16 hex digits.
Json DaysToJson(double days);
// Accepts either form (the bit pattern for any double); throws CJsonDocError.
double DaysFromJson(const Json& j, const std::string& field);

Json DocToJson(const CNetbellDoc& doc);
// Replaces the document's tasks, projects and search engines with the
// JSON's. Missing or unknown fields, wrong types, numbers out of range and
// characters with no byte throw CJsonDocError, and the document is untouched.
void JsonToDoc(const Json& j, CNetbellDoc& doc);
