#pragma once

#include "sizing/SolveResults.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The one writer of the tool's machine-read records: CSV rows (the batch and
// the bores table) and JSON objects (every --json output). Numbers are
// written in full precision; a value that is not known is an empty CSV field
// or JSON null.

// One CSV record, built in a buffer field by field and written at once.
class TCsvRecord {
public:
    // The buffer is the caller's, so that a run of rows reuses its memory.
    explicit TCsvRecord(std::string& buffer);

    void Text(std::string_view text);
    void Number(const std::optional<double>& value);
    void Flag(const std::optional<bool>& value);
    void Value(const TResultValue& value);
    void Empty(std::size_t count = 1);
    // The record and its line end.
    void WriteTo(std::ostream& out);

private:
    void Separate();
    std::string& Buffer;
    bool Started = false;
};

// The JSON texts of single values.
std::string JsonFlag(const std::optional<bool>& value);
// A JSON array of ready-made items: "[]", or one item a line at `indent`
// spaces with the closing bracket two spaces less in.
std::string JsonArray(const std::vector<std::string>& items, int indent);

// A JSON object written member by member: each member on its own line at
// `indent` spaces (the braces two less in), or all on one line when `indent`
// is 0. Ends with End(), which writes the closing brace.
class TJsonObject {
public:
    TJsonObject(std::ostream& out, int indent);
    void Member(std::string_view name, const std::string& json);
    void Number(std::string_view name, const std::optional<double>& value);
    void Value(std::string_view name, const TResultValue& value);
    // A member whose value is an object, its members two spaces further in;
    // it is ended before the next member of this one.
    TJsonObject Object(std::string_view name);
    void End();

private:
    std::ostream& Out;
    int Indent;
    bool First = true;
};

// The same object as a text, for an item of an array.
class TJsonInline {
public:
    void Member(std::string_view name, const std::string& json);
    std::string Text() const { return Text_ + "}"; }

private:
    std::string Text_ = "{";
};
